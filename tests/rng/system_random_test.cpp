#include "rng/system_random.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ferrolith {
namespace {

TEST(SystemRandom, SeededExplicitlyIsReproducible) {
    SystemRandom a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const float x = a.next();
        EXPECT_EQ(x, b.next());
        differs |= x != c.next();
    }
    EXPECT_TRUE(differs);
}

TEST(SystemRandom, FloatsCarryTwentyFourBitsInTheHalfOpenUnitInterval) {
    SystemRandom r(7);
    for (int i = 0; i < 100000; ++i) {
        const float x = r.next();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        ASSERT_EQ(x * 16777216.0f, std::floor(x * 16777216.0f));
    }
    EXPECT_EQ(SystemRandom::toFloat((1u << 24) - 1), 1.0f - 0x1p-24f);
}

TEST(SystemRandom, AdvanceSkipsExactlyKDraws) {
    for (std::uint64_t k : {0ULL, 1ULL, 2ULL, 17ULL, 1000ULL, 123457ULL}) {
        SystemRandom stepped(99), jumped(99);
        for (std::uint64_t i = 0; i < k; ++i) stepped.nextBits();
        jumped.advance(k);
        EXPECT_EQ(stepped.nextBits(), jumped.nextBits()) << k;
    }
}

TEST(SystemRandom, PickRuleTakesTheFirstValueUpToOneHalf) {
    EXPECT_TRUE(SystemRandom::picksFirst(0));
    EXPECT_TRUE(SystemRandom::picksFirst(1u << 23));  // exactly 0.5 rounds to 0: first value
    EXPECT_FALSE(SystemRandom::picksFirst((1u << 23) + 1));
    EXPECT_EQ(SystemRandom::toFloat(1u << 23), 0.5f);
}

TEST(SystemRandom, MeanAndSpreadAreThoseOfAUniform) {
    SystemRandom r(2024);
    const int n = 200000;
    double sum = 0, sumSq = 0;
    for (int i = 0; i < n; ++i) {
        const double x = r.next();
        sum += x;
        sumSq += x * x;
    }
    const double mean = sum / n;
    const double var = sumSq / n - mean * mean;
    EXPECT_NEAR(mean, 0.5, 5 * std::sqrt(1.0 / 12 / n));
    EXPECT_NEAR(var, 1.0 / 12, 0.002);
}

}  // namespace
}  // namespace ferrolith
