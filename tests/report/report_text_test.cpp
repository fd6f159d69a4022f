#include "report/report_text.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "report/confidence_limits.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith {
namespace {

using testing::countLineEnds;
using testing::defaultParamTexts;
using testing::joined;

const std::string stars(50, '*');

// Every LF belongs to a CR LF and every CR starts one.
bool onlyCrLfLineEnds(const std::string& text) {
    const auto lf = std::count(text.begin(), text.end(), '\n');
    const auto cr = std::count(text.begin(), text.end(), '\r');
    return lf == cr && lf == countLineEnds(text);
}

NameArray allNormal() {
    NameArray names;
    names.fill("Normal");
    return names;
}

// The run's figures for a safe fraction p over T samples, with the run's limits.
OverallFigures overallFigures(double p, double T) {
    OverallFigures o;
    o.effectMean = 18.123456;
    o.effectStdDev = 0.0095018;
    o.resistMean = 26.5;
    o.resistStdDev = 1.0005;
    o.safeMean = p;
    o.safeStdDev = 0.012345;
    const ConfidenceLimits limits = safeFractionLimits(p, T);
    o.upperLimit = limits.upper;
    o.lowerLimit = limits.lower;
    o.elapsed = 12.3456;
    o.timePerSimulation = o.elapsed / T;
    return o;
}

TEST(InputBlock, EchoesTextsAsTypedInPieces) {
    auto texts = defaultParamTexts();
    texts[0] = "4, 0.05";
    NameArray names = allNormal();
    names[2] = "Gamma";
    names[6] = "Others to follow";
    const std::vector<std::string> expected{
        "Input Data: \r\n" + stars + "\r\n",
        "Beam Length: (4, 0.05) Dist.: Normal\r\n",
        "Beam Width: (75,10) Dist.: Normal\r\n",
        "Beam Depth: (225,10) Dist.: Gamma\r\n",
        "Beam Allowable Stress: (20,3) Dist.: Normal\r\n",
        "Point Load Location: (2,0.25) Dist.: Normal\r\n",
        "Point Load Value: (10,1.5) Dist.: Normal\r\n",
        "UDL Value: (4,2.5) Dist.: Others to follow\r\n",
        "\r\n",
    };
    EXPECT_EQ(inputBlockPieces(texts, names), expected);
}

TEST(InputBlock, DefaultsAndLineEnds) {
    const auto pieces = inputBlockPieces(defaultParamTexts(), allNormal());
    ASSERT_EQ(pieces.size(), 9u);
    EXPECT_EQ(pieces[1], "Beam Length: (4,0.05) Dist.: Normal\r\n");
    const std::string text = joined(pieces);
    EXPECT_EQ(countLineEnds(text), 10);
    EXPECT_TRUE(onlyCrLfLineEnds(text));
}

TEST(InputBlock, OddTextsAreKeptUnchanged) {
    auto texts = defaultParamTexts();
    texts[3] = "";
    texts[4] = " 2 ,0.25x ";
    const auto pieces = inputBlockPieces(texts, allNormal());
    EXPECT_EQ(pieces[4], "Beam Allowable Stress: () Dist.: Normal\r\n");
    EXPECT_EQ(pieces[5], "Point Load Location: ( 2 ,0.25x ) Dist.: Normal\r\n");
}

TEST(IterationBlock, WorkedExample) {
    const std::vector<std::string> expected{
        "Iteration: 3\r\n" + stars + "\r\n",
        "E mean: 18.123 E St. Dev.: 4.568\r\n",
        "R mean: 19.000 R St. Dev.: 2.500\r\n",
        "Result mean: 0.600\r\n",
        "\r\n",
    };
    EXPECT_EQ(iterationBlockPieces(3, 18.123456, 4.56789, 19, 2.5, 0.6), expected);
    EXPECT_EQ(countLineEnds(joined(expected)), 6);
}

TEST(IterationBlock, RepetitionNumberAndSingleSampleSpreads) {
    EXPECT_EQ(iterationBlockPieces(1, 0, 0, 0, 0, 0)[0], "Iteration: 1\r\n" + stars + "\r\n");
    EXPECT_EQ(iterationBlockPieces(32767, 0, 0, 0, 0, 0)[0],
              "Iteration: 32767\r\n" + stars + "\r\n");
    const auto pieces = iterationBlockPieces(25, 5.25, 0, 7, 0, 1);
    EXPECT_EQ(pieces[1], "E mean: 5.250 E St. Dev.: 0.000\r\n");
    EXPECT_EQ(pieces[3], "Result mean: 1.000\r\n");
}

TEST(OverallBlock, TypicalRun) {
    const OverallFigures o = overallFigures(0.9, 25000);
    const std::vector<std::string> expected{
        "Overall Result:\r\n" + stars + "\r\n",
        "E mean: 18.123 E St. Dev.: 0.010\r\n",
        "R mean: 26.500 R St. Dev.: 1.001\r\n",
        "Result mean: 0.900 Result St. Dev.: 0.012\r\n",
        "95% Confidence Limits are 0.896 to 0.904\r\n",
        "\r\n95% certain that probability of failure is: 10.372%\r\n",
        "Is this risk accepatable?? (1 in 10e+0)\r\n",
        "\r\nTotal number of simulations was 25000\r\n",
        "Total time taken was (s) 12.346\r\n",
        "Time per simulation was (ms) 0.494",
    };
    EXPECT_EQ(overallBlockPieces(o, 25000), expected);
    const std::string text = joined(expected);
    EXPECT_EQ(countLineEnds(text), 12);
    EXPECT_TRUE(onlyCrLfLineEnds(text));
}

TEST(OverallBlock, LimitsOutsideZeroToOneAreShownAsComputed) {
    const auto pieces = overallBlockPieces(overallFigures(0.01, 100), 100);
    EXPECT_EQ(pieces[4], "95% Confidence Limits are -0.010 to 0.030\r\n");
    EXPECT_EQ(pieces[5], "\r\n95% certain that probability of failure is: 100.950%\r\n");
    EXPECT_EQ(pieces[6], "Is this risk accepatable?? (1 in 991e-3)\r\n");
    EXPECT_EQ(pieces[7], "\r\nTotal number of simulations was 100\r\n");
    EXPECT_EQ(pieces[9], "Time per simulation was (ms) 123.456");
}

TEST(OverallBlock, EverySampleSafe) {
    OverallFigures o = overallFigures(1, 25000);
    o.safeStdDev = 0;
    const auto pieces = overallBlockPieces(o, 25000);
    EXPECT_EQ(pieces[3], "Result mean: 1.000 Result St. Dev.: 0.000\r\n");
    EXPECT_EQ(pieces[4], "95% Confidence Limits are 1.000 to 1.000\r\n");
    EXPECT_EQ(pieces[5], "\r\n95% certain that probability of failure is: 0.000%\r\n");
    EXPECT_EQ(pieces[6], "Is this risk accepatable?? (1 in Infinity)\r\n");
}

TEST(OverallBlock, FiguresOverNoRepetitionsAreWrittenAsNotANumber) {
    OverallFigures o;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    o.effectMean = nan;
    o.safeMean = nan;
    o.lowerLimit = nan;
    o.upperLimit = nan;
    o.timePerSimulation = nan;
    const auto pieces = overallBlockPieces(o, 0);
    EXPECT_EQ(pieces[1], "E mean: NaN E St. Dev.: 0.000\r\n");
    EXPECT_EQ(pieces[4], "95% Confidence Limits are NaN to NaN\r\n");
    EXPECT_EQ(pieces[5], "\r\n95% certain that probability of failure is: NaN\r\n");
    EXPECT_EQ(pieces[6], "Is this risk accepatable?? (1 in NaN)\r\n");
    EXPECT_EQ(pieces[7], "\r\nTotal number of simulations was 0\r\n");
    EXPECT_EQ(pieces[9], "Time per simulation was (ms) NaN");
}

TEST(AbortBlock, ThreeLines) {
    const std::vector<std::string> expected{
        stars + "\r\n",
        "Aborting analysis: Faulty Distribution Input Data\r\n",
        stars + "\r\n",
    };
    EXPECT_EQ(abortBlockPieces(), expected);
    EXPECT_EQ(countLineEnds(joined(expected)), 3);
}

TEST(ProgressCaption, DoneOverPlanned) {
    EXPECT_EQ(progressCaption(0, 25), "0/25");
    EXPECT_EQ(progressCaption(3, 25), "3/25");
    EXPECT_EQ(progressCaption(1, 1), "1/1");
    EXPECT_EQ(progressCaption(32767, 32767), "32767/32767");
    EXPECT_EQ(progressCaption(9999, 10000), "9999/10000");
}

TEST(Report, CompletedAndAbortedRunsCountTheirLineEnds) {
    std::string completed = joined(inputBlockPieces(defaultParamTexts(), allNormal()));
    for (int r = 1; r <= 25; ++r) completed += joined(iterationBlockPieces(r, 1, 2, 3, 4, 0.5));
    completed += joined(overallBlockPieces(overallFigures(0.9, 25000), 25000));
    EXPECT_EQ(countLineEnds(completed), 172);
    EXPECT_TRUE(onlyCrLfLineEnds(completed));
    EXPECT_NE(completed.find("\r\n\r\nOverall Result:\r\n"), std::string::npos);
    EXPECT_EQ(completed.back(), '4');

    const std::string aborted =
        joined(inputBlockPieces(defaultParamTexts(), allNormal())) + joined(abortBlockPieces());
    EXPECT_EQ(countLineEnds(aborted), 13);
    EXPECT_EQ(aborted.substr(aborted.size() - 54), "\r\n" + stars + "\r\n");
}

}  // namespace
}  // namespace ferrolith
