// The design run on its worker, told to a recording observer on this thread, against the same
// run told directly on the thread it runs on; a worker that goes mid-run.
#include "ui/main/run_worker.hpp"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <memory>

#include "support/file_test_support.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"
#include "support/temp_path.hpp"

namespace ferrolith::test {
namespace {

using testing::Call;
using testing::RecordingObserver;

// The calls with each stretch of report pieces and repetitions taken as one, however they were
// grouped, and without the stop questions, which the worker answers itself.
std::vector<Call> grouped(const std::vector<Call>& calls) {
    std::vector<Call> kept;
    for (Call call : calls) {
        if (call == Call::StopRequested) continue;
        if (call == Call::RepetitionFinished) call = Call::ReportAppended;
        if (call != Call::ReportAppended || kept.empty() || kept.back() != call)
            kept.push_back(call);
    }
    return kept;
}

// Runs request on worker, telling observer, and waits for the end.
void runOn(RunWorker& worker, const RunRequest& request, RecordingObserver& observer) {
    QSignalSpy finished(&worker, &RunWorker::finished);
    worker.start(request, observer, {&observer});
    ASSERT_TRUE(worker.running());
    ASSERT_TRUE(finished.wait(120000));
    EXPECT_FALSE(worker.running());
}

struct WorkerCase {
    const char* name;
    const char* repetitions;
    const char* beamDepth;
    const char* pointLoadDist;
    Engine engine;
    MessageResult saveAnswer;
    RunOutcome outcome;
};

TEST(RunWorker, TellsTheWindowWhatTheRunTellsInTheSameOrderWithTheSameAnswers) {
    const WorkerCase cases[] = {
        {"completed, not saved", "40", "225,10", "", Engine::Fast, MessageResult::No,
         RunOutcome::Completed},
        {"completed and saved", "40", "225,10", "", Engine::Fast, MessageResult::Yes,
         RunOutcome::Completed},
        {"count does not convert", "4e9", "225,10", "", Engine::Fast, MessageResult::No,
         RunOutcome::Failed},
        {"parameter does not convert", "40", "225", "", Engine::Fast, MessageResult::No,
         RunOutcome::Failed},
        {"faulty data, fast engine", "40", "225,10", "Poisson", Engine::Fast, MessageResult::No,
         RunOutcome::Aborted},
        {"faulty data, reference engine", "40", "225,10", "Poisson", Engine::Reference,
         MessageResult::No, RunOutcome::Aborted},
    };
    RunWorker worker;
    for (const WorkerCase& k : cases) {
        SCOPED_TRACE(k.name);
        Study study = testing::studyOf(k.repetitions, "500");
        study.parameters[2] = k.beamDepth;
        study.distributions[5] = k.pointLoadDist;
        study.seed = 7;
        const RunRequest request{study, {k.engine, 2}};
        const testing::TempPath directFile("direct.txt"), workerFile("worker.txt");
        RecordingObserver direct, told;
        direct.saveQuestionAnswer = told.saveQuestionAnswer = k.saveAnswer;
        direct.dialogAnswers = {{false, directFile.path, 0}};
        told.dialogAnswers = {{false, workerFile.path, 0}};
        told.onRepetition = [](RecordingObserver& o, const RunResult& run) {
            // Told of repetitions, the window holds the report of exactly those.
            EXPECT_EQ(testing::countOf(o.report, "Iteration: "), run.completedRepetitions());
        };
        const RunResult expected = runSimulation(request, direct);
        runOn(worker, request, told);
        const RunResult& run = worker.result();
        EXPECT_EQ(run.outcome, k.outcome);
        EXPECT_EQ(run.save, expected.save);
        EXPECT_EQ(grouped(told.calls), grouped(direct.calls));
        EXPECT_EQ(told.boxes, direct.boxes);
        EXPECT_EQ(told.report, run.report);
        EXPECT_EQ(testing::withoutTiming(told.report), testing::withoutTiming(expected.report));
        // The progress caption ends where it ended.
        EXPECT_EQ(told.labels.empty(), direct.labels.empty());
        if (!direct.labels.empty()) {
            EXPECT_EQ(told.labels.back(), direct.labels.back());
        }
        EXPECT_EQ(run.repetitions.size(), expected.repetitions.size());
        ASSERT_EQ(told.ended.size(), 1u);
        EXPECT_EQ(told.ended[0].report, run.report);
        if (k.saveAnswer == MessageResult::Yes) {
            EXPECT_EQ(testing::slurp(workerFile.path), run.report);
        }
    }
}

TEST(RunWorker, AWorkerThatGoesMidRunStopsItAndAsksNothingMore) {
    // A question waiting for the window, and a long run.
    for (const char* repetitions : {"x", "32767"}) {
        SCOPED_TRACE(repetitions);
        RecordingObserver told;
        auto worker = std::make_unique<RunWorker>();
        worker->start({testing::studyOf(repetitions, "32767"), {}}, told, {&told});
        worker.reset();
        // Nothing reached this thread: no event was handled while the worker was there.
        EXPECT_TRUE(told.calls.empty());
    }
}

}  // namespace
}  // namespace ferrolith::test
