#include "session/simulation_run.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "support/file_test_support.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

using testing::Call;
using testing::countLineEnds;
using testing::RecordingObserver;
using testing::runSeeded;
using testing::studyOf;
using testing::withoutTiming;

const std::string stars(50, '*');

TEST(SimulationRun, CompletedReportShapeAndProgress) {
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("3", "50"));
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    const std::string& report = run.report;
    EXPECT_EQ(countLineEnds(report), 22 + 6 * 3);
    EXPECT_EQ(report.rfind("\r\n"), report.find("Time per simulation was (ms) ") - 2);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(report.back())));
    EXPECT_EQ(report.find("Input Data: \r\n" + stars + "\r\nBeam Length: (4,0.05) Dist.: Normal"),
              0u);
    const auto it1 = report.find("\r\nIteration: 1\r\n");
    const auto it3 = report.find("\r\nIteration: 3\r\n");
    const auto overall = report.find("\r\n\r\nOverall Result:\r\n" + stars + "\r\n");
    EXPECT_LT(it1, it3);
    EXPECT_LT(it3, overall);
    EXPECT_NE(overall, std::string::npos);
    EXPECT_EQ(report.find("Iteration: 0"), std::string::npos);
    EXPECT_NE(report.find("Total number of simulations was 150\r\n"), std::string::npos);
    EXPECT_EQ(o.labels, (std::vector<std::string>{"0/3", "1/3", "2/3", "3/3"}));
    EXPECT_EQ(o.finished, (std::vector<int>{1, 2, 3}));
    // Pieces appended one at a time: 9 for the input block, 5 a repetition, 10 for the overall.
    EXPECT_EQ(o.appends, 9 + 5 * 3 + 10);
    ASSERT_EQ(o.boxes.size(), 1u);
    EXPECT_EQ(o.boxes[0].prompt, "Simulation Complete\r\nSave File?");
    EXPECT_EQ(o.boxes[0].title, "VKM");
    EXPECT_EQ(o.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(o.boxes[0].icon, MessageIcon::None);
    EXPECT_TRUE(o.dialogs.empty());  // answered No
    EXPECT_EQ(run.save, SaveOutcome::Declined);
    EXPECT_EQ(run.plannedRepetitions, 3);
    EXPECT_EQ(run.sampleSize, 50);
    EXPECT_EQ(run.totalSimulations(), 150.0);
}

TEST(SimulationRun, ZeroSpreadGivesAnExactReport) {
    RecordingObserver o;
    Study study = studyOf("2", "4");
    study.parameters = {"4,0", "75,0", "225,0", "20,0", "2,0", "10,0", "4,0"};
    study.distributions[1] = "Others to follow";
    const RunResult run = runSeeded(o, study);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    // E = 10 + 8 kN·m and R = 20 * 75 * 225^2 / 4 = 18.984375 kN·m in every sample: all safe.
    const std::string iteration =
        stars +
        "\r\nE mean: 18.000 E St. Dev.: 0.000\r\nR mean: 18.984 R St. Dev.: 0.000\r\n"
        "Result mean: 1.000\r\n\r\n";
    const std::string expected =
        "Input Data: \r\n" + stars +
        "\r\nBeam Length: (4,0) Dist.: Normal\r\nBeam Width: (75,0) Dist.: Others to follow\r\n"
        "Beam Depth: (225,0) Dist.: Normal\r\nBeam Allowable Stress: (20,0) Dist.: Normal\r\n"
        "Point Load Location: (2,0) Dist.: Normal\r\nPoint Load Value: (10,0) Dist.: Normal\r\n"
        "UDL Value: (4,0) Dist.: Normal\r\n\r\nIteration: 1\r\n" +
        iteration + "Iteration: 2\r\n" + iteration + "Overall Result:\r\n" + stars +
        "\r\nE mean: 18.000 E St. Dev.: 0.000\r\nR mean: 18.984 R St. Dev.: 0.000\r\n"
        "Result mean: 1.000 Result St. Dev.: 0.000\r\n"
        "95% Confidence Limits are 1.000 to 1.000\r\n\r\n"
        "95% certain that probability of failure is: 0.000%\r\n"
        "Is this risk accepatable?? (1 in Infinity)\r\n\r\n"
        "Total number of simulations was 8\r\n";
    EXPECT_EQ(withoutTiming(run.report), expected);
    EXPECT_EQ(run.report.find("Time per simulation was (ms) "),
              run.report.find("Total time taken was (s) ") +
                  run.report.substr(run.report.find("Total time taken")).find("\r\n") + 2);
}

TEST(SimulationRun, FiguresAgreeWithTheBeamTheory) {
    // Independent reference from the moments of the inputs: E averages
    // P (a - a^2 / L) + w L^2 / 8 = 10 (2 - 4.0625 / 4 (1 + 0.05^2 / 16)) + 4 (16 + 0.05^2) / 8
    // = 17.8434 kN·m (to second order in 1 / L), and R averages 20 * 75 * (225^2 + 10^2) / 4e6.
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("20", "2000"), 77);
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    const OverallFigures& f = run.overall;
    EXPECT_NEAR(f.effectMean, 17.8434, 0.1);  // four standard errors
    EXPECT_NEAR(f.resistMean, 20.0 * 75 * (225.0 * 225 + 100) / 4e6, 0.08);
    EXPECT_GT(f.safeMean, 0.3);
    EXPECT_LT(f.safeMean, 0.8);
    EXPECT_GT(f.elapsed, 0.0);
    EXPECT_EQ(f.timePerSimulation, f.elapsed / 40000);
    // The last repetition's samples are kept, one a sample.
    EXPECT_EQ(run.lastEffect.size(), 2000u);
    EXPECT_EQ(run.lastResist.size(), 2000u);
    EXPECT_NE(run.lastEffect[1999], 0.0);
}

TEST(SimulationRun, AbortAtTheFirstDraw) {
    RecordingObserver o;
    Study study;
    study.distributions[0] = "Poisson";  // a mean of 4 is not above 10
    const RunResult run = runSeeded(o, study);
    ASSERT_EQ(run.outcome, RunOutcome::Aborted);
    EXPECT_EQ(countLineEnds(run.report), 13);
    const std::string abortBlock =
        stars + "\r\nAborting analysis: Faulty Distribution Input Data\r\n" + stars + "\r\n";
    EXPECT_EQ(run.report.substr(run.report.size() - abortBlock.size() - 4),
              "\r\n\r\n" + abortBlock);
    ASSERT_EQ(o.boxes.size(), 1u);
    EXPECT_EQ(o.boxes[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(o.boxes[0].title, "Pellox");
    EXPECT_EQ(o.labels, std::vector<std::string>{"0/25"});
    EXPECT_TRUE(run.repetitions.empty());
    EXPECT_TRUE(run.recorded());
}

TEST(SimulationRun, AbortInTheThirdRepetition) {
    // A Gamma shape just above 1 overflows P2 for about one draw in five.
    bool seen = false;
    for (std::uint64_t seed = 1; seed < 200 && !seen; ++seed) {
        RecordingObserver o;
        Study study = studyOf("6", "1");
        study.distributions[6] = "Gamma";
        study.parameters[6] = "2," + std::to_string(1.0 + 1.0 / 441);
        const RunResult run = runSeeded(o, study, seed);
        if (run.outcome != RunOutcome::Aborted || run.completedRepetitions() != 2) continue;
        seen = true;
        EXPECT_EQ(countLineEnds(run.report), 10 + 6 * 2 + 3);
        EXPECT_NE(run.report.find("Iteration: 2\r\n"), std::string::npos);
        EXPECT_EQ(run.report.find("Iteration: 3"), std::string::npos);
        EXPECT_EQ(o.labels.back(), "2/6");
        ASSERT_EQ(o.boxes.size(), 1u);
        EXPECT_EQ(o.boxes[0].prompt, "Error in Data");
        EXPECT_EQ(run.tallies.size(), 2u);
        EXPECT_TRUE(run.lastEffect.empty());  // the last repetition never completed
        // A new run with corrected inputs completes.
        study.parameters[6] = "4,2.5";
        EXPECT_EQ(runSeeded(o, study, seed).outcome, RunOutcome::Completed);
    }
    EXPECT_TRUE(seen);
}

TEST(SimulationRun, CountsThatDoNotConvertChangeNothing) {
    for (const char* bad : {"abc", "", "40000", "0", "-3", "32767.5", "1e9", "0.4"}) {
        for (bool repetitions : {true, false}) {
            RecordingObserver o;
            Study study;
            (repetitions ? study.repetitions : study.samples) = bad;
            const RunResult run = runSimulation({study, {}}, o);
            EXPECT_EQ(run.outcome, RunOutcome::Failed) << bad;
            // Not started: the report and the progress stay as they were.
            EXPECT_EQ(o.calls, (std::vector<Call>{Call::MessageBox, Call::RunEnded})) << bad;
            EXPECT_TRUE(o.labels.empty());
            EXPECT_EQ(run.report, "");
            ASSERT_EQ(o.boxes.size(), 1u);
            EXPECT_EQ(o.boxes[0].prompt,
                      std::string(repetitions ? "No. Repititions" : "Sample Size") + ": \"" + bad +
                          "\" is not a number that rounds to a whole number from 1 to 32767.");
            EXPECT_EQ(o.boxes[0].title, "Pellox");
            EXPECT_FALSE(run.recorded());
        }
    }
}

TEST(SimulationRun, CountsRoundHalfToEven) {
    for (auto [text, label] : {std::pair{"2.5", "2/2"}, {"3.5", "4/4"}, {" 1,0 ", "10/10"}}) {
        RecordingObserver o;
        const RunResult run = runSeeded(o, studyOf(text, "5"));
        EXPECT_EQ(run.outcome, RunOutcome::Completed);
        EXPECT_EQ(o.labels.back(), label);
        EXPECT_EQ(run.study.repetitions, text);  // the result keeps the text as typed
    }
}

TEST(SimulationRun, LargestCountsRunToTheirLastPass) {
    for (Engine engine : {Engine::Reference, Engine::Fast}) {
        RecordingObserver o;
        const RunResult many = runSeeded(o, studyOf("32767", "1"), 3, {engine, 0});
        ASSERT_EQ(many.outcome, RunOutcome::Completed);
        EXPECT_EQ(o.labels.back(), "32767/32767");
        EXPECT_EQ(countLineEnds(many.report), 22 + 6 * 32767);
        EXPECT_NE(many.report.find("\r\nIteration: 32767\r\n"), std::string::npos);
        EXPECT_NE(many.report.find("Total number of simulations was 32767\r\n"), std::string::npos);
        EXPECT_EQ(many.completedRepetitions(), 32767);

        const RunResult large = runSeeded(o, studyOf("1", "32767"), 3, {engine, 0});
        ASSERT_EQ(large.outcome, RunOutcome::Completed);
        EXPECT_EQ(large.lastEffect.size(), 32767u);
        EXPECT_NE(large.lastEffect[32766], 0.0);
    }
}

TEST(SimulationRun, ParameterTextThatDoesNotConvert) {
    RecordingObserver o;
    Study study;
    study.parameters[3] = "20;3";
    const RunResult run = runSimulation({study, {}}, o);
    EXPECT_EQ(run.outcome, RunOutcome::Failed);
    // Started, so the report was emptied, but nothing echoed and nothing drawn.
    EXPECT_EQ(o.calls, (std::vector<Call>{Call::RunStarted, Call::MessageBox, Call::RunEnded}));
    EXPECT_EQ(o.report, "");
    EXPECT_EQ(run.report, "");
    EXPECT_EQ(o.labels, std::vector<std::string>{"0/25"});
    ASSERT_EQ(o.boxes.size(), 1u);
    EXPECT_EQ(o.boxes[0].prompt,
              "Beam Allowable Stress (N/mm2): the parameters \"20;3\" are not two numbers "
              "separated by a comma.");
}

TEST(SimulationRun, TheRunOnlyAddsPiecesSoTextTypedMeanwhileStaysInFront) {
    RecordingObserver o;
    o.onRepetition = [](RecordingObserver& self, const RunResult& run) {
        if (run.completedRepetitions() == 1) self.report += "my note";
    };
    const RunResult run = runSeeded(o, studyOf("3", "10"));
    ASSERT_EQ(run.outcome, RunOutcome::Completed);
    EXPECT_NE(o.report.find("\r\n\r\nmy noteIteration: 2\r\n"), std::string::npos);
    // The run's own report has only what the run wrote.
    EXPECT_EQ(run.report.find("my note"), std::string::npos);
    EXPECT_EQ(o.report, run.report.substr(0, run.report.find("Iteration: 2")) + "my note" +
                            run.report.substr(run.report.find("Iteration: 2")));
}

TEST(SimulationRun, StopRequestEndsTheRunAtTheNextRepetitionWithoutTheQuestion) {
    RecordingObserver o;
    o.stopAfter = 4;
    const RunResult run = runSeeded(o, studyOf("10", "10"));
    EXPECT_EQ(run.outcome, RunOutcome::Stopped);
    EXPECT_TRUE(o.boxes.empty());
    EXPECT_TRUE(o.dialogs.empty());
    EXPECT_EQ(o.labels.back(), "4/10");
    EXPECT_EQ(o.count(Call::StopRequested), 4);  // asked once after each repetition
    EXPECT_EQ(run.completedRepetitions(), 4);
    EXPECT_EQ(run.save, SaveOutcome::NotAsked);
    EXPECT_EQ(run.report.find("Overall Result:"), std::string::npos);
    EXPECT_FALSE(run.recorded());
}

TEST(SimulationRun, SameSeedSameReportAndEveryRunStartsAfresh) {
    RecordingObserver a, b, c;
    const RunResult first = runSeeded(a, studyOf("4", "100"), 5);
    EXPECT_EQ(withoutTiming(first.report),
              withoutTiming(runSeeded(b, studyOf("4", "100"), 5).report));
    EXPECT_NE(withoutTiming(first.report),
              withoutTiming(runSeeded(c, studyOf("4", "100"), 6).report));

    // A second, smaller run told to the same observer leaves nothing of the first.
    const RunResult second = runSeeded(a, studyOf("2", "3"), 5);
    EXPECT_EQ(second.lastEffect.size(), 3u);
    EXPECT_EQ(second.repetitions.size(), 2u);
    EXPECT_EQ(a.report.find("Input Data: "), 0u);
    EXPECT_EQ(countLineEnds(a.report), 22 + 6 * 2);
    EXPECT_EQ(a.report, second.report);
}

TEST(SimulationRun, AStudyWithoutASeedRecordsTheOneTheClockGave) {
    RecordingObserver o;
    const RunResult clocked = runSimulation({studyOf("3", "40"), {}}, o);
    ASSERT_TRUE(clocked.study.seed.has_value());
    const RunResult again = runSimulation({clocked.study, {}}, o);
    EXPECT_EQ(again.study.seed, clocked.study.seed);
    EXPECT_EQ(withoutTiming(again.report), withoutTiming(clocked.report));
}

TEST(SimulationRun, EngineAndThreadsAreRecorded) {
    RecordingObserver o;
    const RunResult reference = runSeeded(o, studyOf("1", "1"), 1, {Engine::Reference, 4});
    EXPECT_EQ(reference.engine, Engine::Reference);
    EXPECT_EQ(reference.threads, 1);  // the reference engine uses the calling thread only
    const RunResult fast = runSeeded(o, studyOf("1", "1"), 1, {Engine::Fast, 3});
    EXPECT_EQ(fast.engine, Engine::Fast);
    EXPECT_EQ(fast.threads, 3);
    EXPECT_GE(threadsUsed({Engine::Fast, 0}), 1);
}

TEST(SimulationRun, SaveQuestionAnsweredYesSavesTheReportAsTheUserHasIt) {
    RecordingObserver o;
    o.saveQuestionAnswer = MessageResult::Yes;
    const RunResult cancelled = runSeeded(o, studyOf("1", "1"));
    EXPECT_EQ(cancelled.outcome, RunOutcome::Completed);
    EXPECT_EQ(o.dialogs.size(), 1u);
    EXPECT_EQ(cancelled.save, SaveOutcome::Cancelled);

    testing::TempFolder dir;
    const std::string target = (dir.path / "run.txt").string();
    o.dialogAnswers = {{false, target}};
    o.onRepetition = [](RecordingObserver& self, const RunResult&) { self.report += "note"; };
    const RunResult saved = runSeeded(o, studyOf("1", "1"));
    EXPECT_EQ(saved.save, SaveOutcome::Saved);
    EXPECT_EQ(testing::slurp(target), o.report);
    EXPECT_NE(o.report.find("note"), std::string::npos);
}

}  // namespace
}  // namespace ferrolith
