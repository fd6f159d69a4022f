#include "failure_statistics/figure_text.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "rng/clsRNG.hpp"
#include "support/tally_builders.hpp"

namespace ferrolith {
namespace {

using test::tally;

TEST(FormatFigure, FourSignificantDigitsScientificWhenSmallOrLarge) {
    struct Case {
        double x;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0"},
        {0.012481, "0.01248"},
        {80.128, "80.13"},
        {1.0, "1.000"},
        {12345.4, "12345"},
        {0.001, "0.001000"},
        {0.00099999, "1.000e-3"},
        {1.5366e-4, "1.537e-4"},
        {2.5e6, "2.500e6"},
        {123456, "1.235e5"},
        {99999.7, "1.000e5"},
        {9.99996, "10.00"},
        {-0.5, "-0.5000"},
        {-3.2e-7, "-3.200e-7"},
        {1e-300, "1.000e-300"},
        {std::numeric_limits<double>::infinity(), "infinity"},
        {-std::numeric_limits<double>::infinity(), "-infinity"},
        {std::numeric_limits<double>::quiet_NaN(), "NaN"},
    };
    for (const Case& c : cases) EXPECT_EQ(formatFigure(c.x), c.text) << c.x;
    // A Gamma input's three coordinates, as the design point tables list them.
    EXPECT_EQ(formatFigureList({-4.452, 0.0, 2.5e6}), "-4.452 0 2.500e6");
    EXPECT_EQ(formatFigureList({}), "");
}

TEST(StatusLine, SaysWhereTheRunStands) {
    EXPECT_EQ(statusLine(RunStatus::Running, 3, 25),
              "Run under way: 3 of 25 repetitions completed.");
    EXPECT_EQ(statusLine(RunStatus::Completed, 25, 25), "Run completed: 25 repetitions.");
    EXPECT_EQ(statusLine(RunStatus::Aborted, 3, 25),
              "The run aborted on faulty input data after 3 of 25 repetitions; the figures cover "
              "those.");
    // Before any repetition there are no figures to cover.
    EXPECT_EQ(statusLine(RunStatus::Aborted, 0, 25),
              "The run aborted on faulty input data after 0 of 25 repetitions.");
}

TEST(FiguresAsText, NoFailure) {
    const std::vector<RepetitionTally> tallies{tally(10, 0, 50), tally(11, 0, 50)};
    EXPECT_EQ(figuresAsText(*failureFigures(tallies, 2, RunStatus::Completed)),
              "Run completed: 2 repetitions.\n"
              "Samples: 100\n"
              "Failures: 0\n"
              "Failure probability Pf: 0: Pf below 0.03699\n"
              "95% Wilson interval: 0 to 0.03699\n"
              "Coefficient of variation: none: no sample failed\n"
              "Reliability index beta: above 1.787\n"
              "Return period: above 1 in 27.03\n"
              "Repetitions repeating an earlier stream: 0 of 2 (2 distinct streams)\n"
              "Between-stream 95% interval: none: every stream gives Pf 0, so there is no spread "
              "to measure\n"
              "Trust the Wilson bound: no sample failed, so the between-stream interval has no "
              "spread to measure, while the Wilson bound says how small Pf must be. With only 50 "
              "samples a repetition, Pf is biased: every repetition's first sample comes from a "
              "corner of the input space (a seed of at most 31328 keeps the first uniform after "
              "it below 0.2452); the bias falls as 1/N and no interval allows for it, so use 100 "
              "samples a repetition or more.\n");
}

TEST(FiguresAsText, FailuresWithARepeatedStreamAndTheImportanceTable) {
    std::vector<RepetitionTally> tallies{tally(0, 1, 10), tally(1, 3, 10), tally(2, 0, 10)};
    // UDL: 5 on average with a standard deviation of sqrt(120 / 29), 8 in the failed samples:
    // a shift of 3 / 2.0342 = 1.475.
    tallies[0].inputSum[6] = 50;
    tallies[0].inputSumSquares[6] = 290;
    tallies[0].failedInputSum[6] = 8;
    tallies[1].inputSum[6] = 50;
    tallies[1].inputSumSquares[6] = 290;
    tallies[1].failedInputSum[6] = 24;
    tallies[2].inputSum[6] = 50;
    tallies[2].inputSumSquares[6] = 290;
    EXPECT_EQ(figuresAsText(*failureFigures(tallies, 5, RunStatus::Aborted)),
              "The run aborted on faulty input data after 3 of 5 repetitions; the figures cover "
              "those.\n"
              "Samples: 30\n"
              "Failures: 4\n"
              "Failure probability Pf: 0.1333\n"
              "95% Wilson interval: 0.05310 to 0.2968\n"
              "Coefficient of variation: 0.4655\n"
              "Reliability index beta: 1.111 (0.5336 to 1.616)\n"
              "Return period: 1 in 7.500\n"
              "Repetitions repeating an earlier stream: 1 of 3 (2 distinct streams)\n"
              "Between-stream 95% interval: 0 to 1.000 (mean 0.1000)\n"
              "Trust the between-stream interval: 1 of 3 repetitions repeat a stream and draw "
              "the same uniforms, which the Wilson interval counts as independent samples. With "
              "only 10 samples a repetition, Pf is biased: every repetition's first sample comes "
              "from a corner of the input space (a seed of at most 31328 keeps the first uniform "
              "after it below 0.2452); the bias falls as 1/N and no interval allows for it, so "
              "use 100 samples a repetition or more.\n"
              "\n"
              "Inputs at failure: mean over the failed samples, mean over all samples, shift in "
              "standard deviations\n"
              "Input\tAt failure\tMean\tShift\n"
              "UDL Value (kN/m)\t8.000\t5.000\t+1.475\n"
              "Beam Length (m)\t0\t0\t0\n"
              "Beam Width (mm)\t0\t0\t0\n"
              "Beam Depth (mm)\t0\t0\t0\n"
              "Beam Allowable Stress (N/mm2)\t0\t0\t0\n"
              "Point Load Location (m)\t0\t0\t0\n"
              "Point Load Value (kN)\t0\t0\t0\n");
}

TEST(AdviceLine, NamesTheIntervalToTrust) {
    struct Case {
        std::vector<RepetitionTally> tallies;
        const char* advice;
    };
    const Case cases[] = {
        {{tally(4, 10, 100), tally(4, 20, 100)},
         "Trust the Wilson interval: with one generator stream there is no spread between "
         "streams to measure."},
        {{tally(4, 10, 100), tally(5, 20, 100)},
         "Trust the Wilson interval: every repetition has a generator stream of its own, so the "
         "samples are independent, as it assumes."},
        {{tally(4, 10, 100), tally(5, 20, 100), tally(4, 20, 100)},
         "Trust the between-stream interval: 1 of 3 repetitions repeat a stream and draw the "
         "same uniforms, which the Wilson interval counts as independent samples."},
        {{tally(4, 200, 2000), tally(5, 201, 2000), tally(5, 201, 2000), tally(4, 200, 2000)},
         "Trust the Wilson interval: 2 of 4 repetitions repeat a stream, but the between-stream "
         "interval, estimated from only 2 stream averages, came out narrower by chance."},
        // Two streams that agree exactly have no spread, though 4000 samples leave Pf uncertain.
        {{tally(4, 100, 1000), tally(5, 100, 1000), tally(5, 100, 1000), tally(4, 100, 1000)},
         "Trust the Wilson interval: 2 of 4 repetitions repeat a stream, but every stream gives "
         "the same Pf, so there is no spread between streams to measure."},
        {{tally(4, 0, 100), tally(4, 0, 100)},
         "Trust the Wilson bound: no sample failed, so the between-stream interval has no spread "
         "to measure, while the Wilson bound says how small Pf must be."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(adviceLine(*failureFigures(c.tallies, 9, RunStatus::Running)), c.advice);
}

TEST(AdviceLine, WarnsOfTheFirstSampleBiasBelow100SamplesARepetition) {
    const std::string bias =
        " Pf is biased: every repetition's first sample comes from a corner of the input space "
        "(a seed of at most 31328 keeps the first uniform after it below 0.2452); the bias falls "
        "as 1/N and no interval allows for it, so use 100 samples a repetition or more.";
    const std::string independent =
        "Trust the Wilson interval: every repetition has a generator stream of its own, so the "
        "samples are independent, as it assumes.";
    struct Case {
        std::int64_t samples;
        std::string advice;
    };
    const Case cases[] = {
        {1, independent + " With only 1 sample a repetition," + bias},
        {99, independent + " With only 99 samples a repetition," + bias},
        {100, independent},
    };
    for (const Case& c : cases) {
        const std::vector<RepetitionTally> tallies{tally(4, 1, c.samples), tally(5, 0, c.samples)};
        EXPECT_EQ(adviceLine(*failureFigures(tallies, 2, RunStatus::Completed)), c.advice);
    }
}

TEST(FirstSampleBias, TheLargestSeedKeepsTheFirstUniformBelowTheBoundTheWarningGives) {
    clsRNG rng;
    rng.seed(static_cast<std::int16_t>(largestRepetitionSeed));
    const double first = rng.rand();
    EXPECT_LT(first, 0.2452);
    EXPECT_GT(first, 0.2451);  // the bound is tight
}

}  // namespace
}  // namespace ferrolith
