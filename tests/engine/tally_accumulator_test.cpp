#include "engine/tally_accumulator.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ferrolith {
namespace {

std::array<double, inputVariableCount> all(double x) {
    std::array<double, inputVariableCount> v;
    v.fill(x);
    return v;
}

TEST(TallyAccumulator, SumsStripeByStripeThenAcrossStripes) {
    // Samples 1 and 17 share stripe 0 and cancel there; in sample order 1e16 + 1 would lose
    // the 1 before -1e16 came.
    TallyAccumulator t;
    for (int s = 1; s <= 17; ++s) {
        const double x = s == 1 ? 1e16 : s == 2 ? 1.0 : s == 17 ? -1e16 : 0.0;
        t.add(s, all(x), s == 2 || s == 17);
    }
    const RepetitionTally tally = t.collapse(31328);
    EXPECT_EQ(tally.seed, 31328);
    EXPECT_EQ(tally.samples, 17);
    EXPECT_EQ(tally.failures, 2);
    for (int i = 0; i < inputVariableCount; ++i) {
        EXPECT_EQ(tally.inputSum[i], 1.0);
        EXPECT_EQ(tally.inputSumSquares[i], 2e32 + 1.0);
        EXPECT_EQ(tally.failedInputSum[i], 1.0 - 1e16);
    }
}

TEST(TallyAccumulator, SamplesThatDidNotFailAddPositiveZero) {
    TallyAccumulator t;
    t.add(1, all(-0.0), true);
    t.add(2, all(-2.5), false);
    const RepetitionTally tally = t.collapse(0);
    EXPECT_EQ(tally.failures, 1);
    EXPECT_EQ(tally.failedInputSum[3], 0.0);
    EXPECT_FALSE(std::signbit(tally.failedInputSum[3]));
    EXPECT_EQ(tally.inputSum[3], -2.5);
    EXPECT_EQ(tally.inputSumSquares[3], 6.25);
}

}  // namespace
}  // namespace ferrolith
