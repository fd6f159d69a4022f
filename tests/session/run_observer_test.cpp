// What a run tells its observer, and how its result agrees with what it told.
#include <gtest/gtest.h>

#include <algorithm>

#include "model/sample_statistics.hpp"
#include "report/confidence_limits.hpp"
#include "report/number_format.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

using testing::Call;
using testing::joined;
using testing::RecordingObserver;
using testing::runSeeded;
using testing::studyOf;

struct OutcomeCase {
    const char* name;
    Study study;
    std::optional<int> stopAfter;
    RunOutcome outcome;
    bool started;  // the counts converted
};

std::vector<OutcomeCase> outcomeCases() {
    Study faulty;
    faulty.distributions[0] = "Poisson";  // a mean of 4 is not above 10
    Study badParameter = studyOf("3", "20");
    badParameter.parameters[3] = "20;3";
    return {
        {"completed", studyOf("3", "20"), std::nullopt, RunOutcome::Completed, true},
        {"aborted", faulty, std::nullopt, RunOutcome::Aborted, true},
        {"failed at counts", studyOf("abc", "20"), std::nullopt, RunOutcome::Failed, false},
        {"failed at parameters", badParameter, std::nullopt, RunOutcome::Failed, true},
        {"stopped", studyOf("5", "10"), 2, RunOutcome::Stopped, true},
    };
}

void expectSameResult(const RunResult& told, const RunResult& returned) {
    EXPECT_EQ(told.outcome, returned.outcome);
    EXPECT_EQ(told.study, returned.study);
    EXPECT_EQ(told.plannedRepetitions, returned.plannedRepetitions);
    EXPECT_EQ(told.sampleSize, returned.sampleSize);
    EXPECT_EQ(told.report, returned.report);
    EXPECT_EQ(told.save, returned.save);
    EXPECT_EQ(told.lastEffect, returned.lastEffect);
    ASSERT_EQ(told.repetitions.size(), returned.repetitions.size());
    ASSERT_EQ(told.tallies.size(), returned.tallies.size());
    for (std::size_t i = 0; i < told.repetitions.size(); ++i) {
        EXPECT_EQ(told.repetitions[i].effectMean, returned.repetitions[i].effectMean) << i;
        EXPECT_EQ(told.repetitions[i].safeFraction, returned.repetitions[i].safeFraction) << i;
        EXPECT_EQ(told.tallies[i].seed, returned.tallies[i].seed) << i;
    }
    EXPECT_EQ(told.overall.lowerLimit, returned.overall.lowerLimit);
}

TEST(RunObserver, StartedBeforeAnyPieceAndEndedOnceWithTheFinalResult) {
    for (const OutcomeCase& c : outcomeCases()) {
        SCOPED_TRACE(c.name);
        RecordingObserver o;
        o.stopAfter = c.stopAfter;
        const RunResult run = runSeeded(o, c.study);
        EXPECT_EQ(run.outcome, c.outcome);

        EXPECT_EQ(o.count(Call::RunEnded), 1);
        EXPECT_EQ(o.calls.back(), Call::RunEnded);
        ASSERT_EQ(o.ended.size(), 1u);
        expectSameResult(o.ended[0], run);

        EXPECT_EQ(o.count(Call::RunStarted), c.started ? 1 : 0);
        const auto start = std::find(o.calls.begin(), o.calls.end(), Call::RunStarted);
        EXPECT_EQ(std::find(o.calls.begin(), start, Call::ReportAppended), start);
        EXPECT_EQ(std::find(o.calls.begin(), start, Call::RepetitionFinished), start);
        if (!c.started) continue;
        // At the start the counts are known and nothing is written or done yet.
        ASSERT_EQ(o.started.size(), 1u);
        EXPECT_EQ(o.started[0].plannedRepetitions, run.plannedRepetitions);
        EXPECT_EQ(o.started[0].sampleSize, run.sampleSize);
        EXPECT_TRUE(o.started[0].report.empty());
        EXPECT_TRUE(o.started[0].repetitions.empty());
    }
}

TEST(RunObserver, TheResultsReportIsThePiecesAppended) {
    for (const OutcomeCase& c : outcomeCases()) {
        SCOPED_TRACE(c.name);
        RecordingObserver o;
        o.stopAfter = c.stopAfter;
        const RunResult run = runSeeded(o, c.study);
        EXPECT_EQ(o.report, run.report);
        EXPECT_EQ(o.count(Call::ReportAppended), o.appends);
    }
}

TEST(RunObserver, RepetitionsAndTalliesHoldOneEntryACompletedRepetition) {
    for (const OutcomeCase& c : outcomeCases()) {
        SCOPED_TRACE(c.name);
        RecordingObserver o;
        o.stopAfter = c.stopAfter;
        const RunResult run = runSeeded(o, c.study);
        EXPECT_EQ(run.repetitions.size(), run.tallies.size());
        EXPECT_EQ(static_cast<int>(run.repetitions.size()), run.completedRepetitions());
        std::vector<int> oneToK(static_cast<std::size_t>(run.completedRepetitions()));
        for (std::size_t i = 0; i < oneToK.size(); ++i) oneToK[i] = static_cast<int>(i) + 1;
        EXPECT_EQ(o.finished, oneToK);
    }
}

TEST(RunObserver, RepetitionRIsAtIndexRMinusOne) {
    RecordingObserver o;
    // When repetition r is told finished, its block ends the report and its figures are last.
    o.onRepetition = [](RecordingObserver& self, const RunResult& run) {
        const int r = run.completedRepetitions();
        ASSERT_EQ(run.tallies.size(), static_cast<std::size_t>(r));
        const RepetitionFigures& f = run.repetitions.back();
        const std::string block = joined(iterationBlockPieces(
            r, f.effectMean, f.effectStdDev, f.resistMean, f.resistStdDev, f.safeFraction));
        EXPECT_EQ(self.report.substr(self.report.size() - block.size()), block) << r;
    };
    const RunResult run = runSeeded(o, studyOf("4", "30"), 11);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    ASSERT_EQ(run.repetitions.size(), 4u);
    std::size_t at = 0;
    for (int r = 1; r <= 4; ++r) {
        const RepetitionFigures& f = run.repetitions[static_cast<std::size_t>(r - 1)];
        const std::string block = joined(iterationBlockPieces(
            r, f.effectMean, f.effectStdDev, f.resistMean, f.resistStdDev, f.safeFraction));
        const auto found = run.report.find(block, at);
        ASSERT_NE(found, std::string::npos) << r;
        at = found + block.size();
        const RepetitionTally& tally = run.tallies[static_cast<std::size_t>(r - 1)];
        EXPECT_EQ(tally.samples, 30) << r;
        EXPECT_EQ(f.safeFraction, static_cast<double>(30 - tally.failures) / 30) << r;
    }
}

TEST(RunObserver, OverallFiguresAreThoseOfTheRepetitionsAndTheReportShowsThem) {
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("6", "500"), 21);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    auto figure = [&run](double RepetitionFigures::*member) {
        std::vector<double> values;
        for (const RepetitionFigures& f : run.repetitions) values.push_back(f.*member);
        return values;
    };
    const OverallFigures& overall = run.overall;
    EXPECT_EQ(overall.effectMean, sampleMean(figure(&RepetitionFigures::effectMean)));
    EXPECT_EQ(overall.effectStdDev, sampleStdDev(figure(&RepetitionFigures::effectMean)));
    EXPECT_EQ(overall.resistMean, sampleMean(figure(&RepetitionFigures::resistMean)));
    EXPECT_EQ(overall.resistStdDev, sampleStdDev(figure(&RepetitionFigures::resistMean)));
    EXPECT_EQ(overall.safeMean, sampleMean(figure(&RepetitionFigures::safeFraction)));
    EXPECT_EQ(overall.safeStdDev, sampleStdDev(figure(&RepetitionFigures::safeFraction)));
    const std::string block = joined(overallBlockPieces(overall, run.totalSimulations()));
    EXPECT_EQ(run.report.substr(run.report.size() - block.size()), block);
}

TEST(RunObserver, TheReportsConfidenceLimitsAreThoseOfTheSafeFraction) {
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("5", "400"), 4);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    const ConfidenceLimits limits =
        safeFractionLimits(run.overall.safeMean, run.totalSimulations());
    EXPECT_EQ(run.overall.lowerLimit, limits.lower);
    EXPECT_EQ(run.overall.upperLimit, limits.upper);
    EXPECT_LT(limits.lower, limits.upper);  // a safe fraction strictly between 0 and 1
    EXPECT_NE(run.report.find("\r\n95% Confidence Limits are " + formatFixed(limits.lower) +
                              " to " + formatFixed(limits.upper) + "\r\n"),
              std::string::npos);
    EXPECT_NE(run.report.find("95% certain that probability of failure is: " +
                              formatPercent(1 - limits.lower) + "\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace ferrolith
