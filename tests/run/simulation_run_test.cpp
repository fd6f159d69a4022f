#include "run/simulation_run.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "fake_window.hpp"

namespace ferrolith {
namespace {

using testing::countLineEnds;
using testing::FakeWindow;
using testing::withoutTiming;

const std::string stars(50, '*');

RunOutcome runSeeded(FakeWindow& window, std::uint64_t seed = 1) {
    SimulationRun run(window);
    run.setSystemRandomSeed(seed);
    return run.btmCalc_Click();
}

TEST(SimulationRun, CompletedReportShapeAndProgress) {
    FakeWindow w;
    w.repetitions = "3";
    w.sampleSize = "50";
    ASSERT_EQ(runSeeded(w), RunOutcome::Completed);
    EXPECT_EQ(countLineEnds(w.report), 22 + 6 * 3);
    EXPECT_EQ(w.report.rfind("\r\n"), w.report.find("Time per simulation was (ms) ") - 2);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(w.report.back())));
    EXPECT_EQ(w.report.find("Input Data: \r\n" + stars + "\r\nBeam Length: (4,0.05) Dist.: Normal"),
              0u);
    const auto it1 = w.report.find("\r\nIteration: 1\r\n");
    const auto it3 = w.report.find("\r\nIteration: 3\r\n");
    const auto overall = w.report.find("\r\n\r\nOverall Result:\r\n" + stars + "\r\n");
    EXPECT_LT(it1, it3);
    EXPECT_LT(it3, overall);
    EXPECT_NE(overall, std::string::npos);
    EXPECT_EQ(w.report.find("Iteration: 0"), std::string::npos);
    EXPECT_NE(w.report.find("Total number of simulations was 150\r\n"), std::string::npos);
    EXPECT_EQ(w.labels, (std::vector<std::string>{"0/3", "1/3", "2/3", "3/3"}));
    EXPECT_EQ(w.barValue, 3.0f);
    EXPECT_EQ(w.eventsProcessed, 3);
    // Pieces appended at once: 9 for the input block, 5 a repetition, 10 for the overall block.
    EXPECT_EQ(w.appends, 9 + 5 * 3 + 10);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt, "Simulation Complete\r\nSave File?");
    EXPECT_EQ(w.boxes[0].title, "VKM");
    EXPECT_EQ(w.boxes[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(w.boxes[0].icon, MessageIcon::None);
    EXPECT_TRUE(w.dialogs.empty());  // answered No
}

TEST(SimulationRun, ZeroSpreadGivesAnExactReport) {
    FakeWindow w;
    w.repetitions = "2";
    w.sampleSize = "4";
    w.params = {"4,0", "75,0", "225,0", "20,0", "2,0", "10,0", "4,0"};
    w.dists[1] = "Others to follow";
    ASSERT_EQ(runSeeded(w), RunOutcome::Completed);
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
    EXPECT_EQ(withoutTiming(w.report), expected);
    EXPECT_EQ(w.report.find("Time per simulation was (ms) "),
              w.report.find("Total time taken was (s) ") +
                  w.report.substr(w.report.find("Total time taken")).find("\r\n") + 2);
}

TEST(SimulationRun, FiguresAgreeWithTheBeamTheory) {
    // Independent reference from the moments of the inputs: E averages
    // P (a - a^2 / L) + w L^2 / 8 = 10 (2 - 4.0625 / 4 (1 + 0.05^2 / 16)) + 4 (16 + 0.05^2) / 8
    // = 17.8434 kN·m (to second order in 1 / L), and R averages 20 * 75 * (225^2 + 10^2) / 4e6.
    FakeWindow w;
    w.repetitions = "20";
    w.sampleSize = "2000";
    SimulationRun run(w);
    run.setSystemRandomSeed(77);
    ASSERT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
    const RunState& s = run.state();
    EXPECT_NEAR(s.overallEffectMean, 17.8434, 0.1);  // four standard errors
    EXPECT_NEAR(s.overallResistMean, 20.0 * 75 * (225.0 * 225 + 100) / 4e6, 0.08);
    EXPECT_GT(s.overallSafeMean, 0.3);
    EXPECT_LT(s.overallSafeMean, 0.8);
    EXPECT_NEAR(
        s.lowerLimit,
        s.overallSafeMean - 1.96 * std::sqrt(s.overallSafeMean * (1 - s.overallSafeMean) / 40000),
        1e-15);
    // Run arrays: bounds N and M, slot 0 untouched, the last repetition's samples kept.
    EXPECT_EQ(s.effectSample.size(), 2001u);
    EXPECT_EQ(s.safeFraction.size(), 21u);
    EXPECT_EQ(s.effectSample[0], 0.0);
    EXPECT_EQ(s.effectMean[0], 0.0);
    EXPECT_NE(s.effectSample[2000], 0.0);
}

TEST(SimulationRun, AbortAtTheFirstDraw) {
    FakeWindow w;
    w.dists[0] = "Poisson";  // a mean of 4 is not above 10
    ASSERT_EQ(runSeeded(w), RunOutcome::Aborted);
    EXPECT_EQ(countLineEnds(w.report), 13);
    const std::string abortBlock =
        stars + "\r\nAborting analysis: Faulty Distribution Input Data\r\n" + stars + "\r\n";
    EXPECT_EQ(w.report.substr(w.report.size() - abortBlock.size() - 4), "\r\n\r\n" + abortBlock);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(w.boxes[0].title, "Pellox");
    EXPECT_EQ(w.label, "0/25");
}

TEST(SimulationRun, AbortInTheThirdRepetition) {
    // A Gamma shape just above 1 overflows P2 for about one draw in five.
    bool seen = false;
    for (std::uint64_t seed = 1; seed < 200 && !seen; ++seed) {
        FakeWindow w;
        w.repetitions = "6";
        w.sampleSize = "1";
        w.dists[6] = "Gamma";
        w.params[6] = "2," + std::to_string(1.0 + 1.0 / 441);
        SimulationRun run(w);
        run.setSystemRandomSeed(seed);
        if (run.btmCalc_Click() != RunOutcome::Aborted) continue;
        if (run.state().repetitionIndex != 3) continue;
        seen = true;
        EXPECT_EQ(countLineEnds(w.report), 10 + 6 * 2 + 3);
        EXPECT_NE(w.report.find("Iteration: 2\r\n"), std::string::npos);
        EXPECT_EQ(w.report.find("Iteration: 3"), std::string::npos);
        EXPECT_EQ(w.label, "2/6");
        ASSERT_EQ(w.boxes.size(), 1u);
        EXPECT_EQ(w.boxes[0].prompt, "Error in Data");
        EXPECT_EQ(run.state().sampleVector[6], 0.0);
        // A new run with corrected inputs completes.
        w.params[6] = "4,2.5";
        EXPECT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
    }
    EXPECT_TRUE(seen);
}

TEST(SimulationRun, CountsThatDoNotConvertChangeNothing) {
    for (const char* bad : {"abc", "", "40000", "0", "-3", "32767.5", "1e9", "0.4"}) {
        for (bool repetitions : {true, false}) {
            FakeWindow w;
            (repetitions ? w.repetitions : w.sampleSize) = bad;
            SimulationRun run(w);
            EXPECT_EQ(run.btmCalc_Click(), RunOutcome::Failed) << bad;
            EXPECT_EQ(w.report, "Header\r\n");
            EXPECT_TRUE(w.labels.empty());
            EXPECT_EQ(w.barMax, 100.0f);
            ASSERT_EQ(w.boxes.size(), 1u);
            EXPECT_EQ(w.boxes[0].prompt,
                      std::string(repetitions ? "No. Repititions" : "Sample Size") + ": \"" + bad +
                          "\" is not a number that rounds to a whole number from 1 to 32767.");
            EXPECT_EQ(w.boxes[0].title, "Pellox");
        }
    }
}

TEST(SimulationRun, CountsRoundHalfToEven) {
    for (auto [text, label] : {std::pair{"2.5", "2/2"}, {"3.5", "4/4"}, {" 1,0 ", "10/10"}}) {
        FakeWindow w;
        w.repetitions = text;
        w.sampleSize = "5";
        EXPECT_EQ(runSeeded(w), RunOutcome::Completed);
        EXPECT_EQ(w.label, label);
    }
}

TEST(SimulationRun, LargestCountsRunToTheirLastPass) {
    for (Engine engine : {Engine::Reference, Engine::Fast}) {
        FakeWindow w;
        w.repetitions = "32767";
        w.sampleSize = "1";
        SimulationRun run(w);
        run.setEngine(engine);
        run.setSystemRandomSeed(3);
        ASSERT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
        EXPECT_EQ(w.label, "32767/32767");
        EXPECT_EQ(countLineEnds(w.report), 22 + 6 * 32767);
        EXPECT_NE(w.report.find("\r\nIteration: 32767\r\n"), std::string::npos);
        EXPECT_NE(w.report.find("Total number of simulations was 32767\r\n"), std::string::npos);

        w.repetitions = "1";
        w.sampleSize = "32767";
        ASSERT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
        EXPECT_EQ(run.state().effectSample.size(), 32768u);
        EXPECT_NE(run.state().effectSample[32767], 0.0);
    }
}

TEST(SimulationRun, ParameterTextThatDoesNotConvert) {
    FakeWindow w;
    w.params[3] = "20;3";
    SimulationRun run(w);
    EXPECT_EQ(run.btmCalc_Click(), RunOutcome::Failed);
    EXPECT_EQ(w.report, "");  // emptied at the start, nothing echoed, nothing drawn
    EXPECT_EQ(w.labels, std::vector<std::string>{"0/25"});
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt,
              "Beam Allowable Stress (N/mm2): the parameters \"20;3\" are not two numbers "
              "separated by a comma.");
}

TEST(SimulationRun, UserTextTypedDuringTheRunStaysInFront) {
    FakeWindow w;
    w.repetitions = "3";
    w.sampleSize = "10";
    w.onEvents = [](FakeWindow& self) {
        if (self.barValue == 1.0f) self.report += "my note";
    };
    ASSERT_EQ(runSeeded(w), RunOutcome::Completed);
    EXPECT_NE(w.report.find("\r\n\r\nmy noteIteration: 2\r\n"), std::string::npos);
}

TEST(SimulationRun, SecondPressDuringARunIsIgnored) {
    FakeWindow w;
    w.repetitions = "3";
    w.sampleSize = "10";
    SimulationRun run(w);
    std::vector<RunOutcome> nested;
    w.onEvents = [&](FakeWindow&) { nested.push_back(run.btmCalc_Click()); };
    EXPECT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
    EXPECT_EQ(nested, std::vector<RunOutcome>(3, RunOutcome::Busy));
    EXPECT_EQ(countLineEnds(w.report), 22 + 6 * 3);
    EXPECT_FALSE(run.running());
}

TEST(SimulationRun, ClosingTheWindowEndsTheRunWithoutTheQuestion) {
    FakeWindow w;
    w.repetitions = "10";
    w.sampleSize = "10";
    w.onEvents = [](FakeWindow& self) { self.closing = self.barValue == 4.0f; };
    EXPECT_EQ(runSeeded(w), RunOutcome::Closed);
    EXPECT_TRUE(w.boxes.empty());
    EXPECT_EQ(w.label, "4/10");
}

TEST(SimulationRun, SameSeedSameReportAndEveryRunStartsAfresh) {
    FakeWindow a, b;
    for (FakeWindow* w : {&a, &b}) {
        w->repetitions = "4";
        w->sampleSize = "100";
    }
    runSeeded(a, 5);
    runSeeded(b, 5);
    EXPECT_EQ(withoutTiming(a.report), withoutTiming(b.report));
    FakeWindow c;
    c.repetitions = "4";
    c.sampleSize = "100";
    runSeeded(c, 6);
    EXPECT_NE(withoutTiming(a.report), withoutTiming(c.report));

    // A second, smaller run on the same state leaves nothing of the first.
    SimulationRun run(a);
    run.setSystemRandomSeed(5);
    run.btmCalc_Click();
    a.repetitions = "2";
    a.sampleSize = "3";
    run.btmCalc_Click();
    EXPECT_EQ(run.state().effectSample.size(), 4u);
    EXPECT_EQ(run.state().effectMean.size(), 3u);
    EXPECT_EQ(a.report.find("Input Data: "), 0u);
    EXPECT_EQ(countLineEnds(a.report), 22 + 6 * 2);
}

TEST(SimulationRun, SaveQuestionAnsweredYesOpensTheDialog) {
    FakeWindow w;
    w.repetitions = "1";
    w.sampleSize = "1";
    w.saveQuestionAnswer = MessageResult::Yes;
    SimulationRun run(w);
    EXPECT_EQ(run.btmCalc_Click(), RunOutcome::Completed);
    EXPECT_EQ(w.dialogs.size(), 1u);
    EXPECT_EQ(run.lastSave(), SaveOutcome::Cancelled);
}

}  // namespace
}  // namespace ferrolith
