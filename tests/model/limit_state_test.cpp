#include "model/limit_state.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ferrolith {
namespace {

// Sample order: length m, width mm, depth mm, stress N/mm2, location m, load kN, udl kN/m.
TEST(LimitState, WorkedExamples) {
    auto s = evaluateLimitState({5, 100, 300, 10, 2, 10, 2});
    EXPECT_DOUBLE_EQ(s.effect, 18.25);
    EXPECT_DOUBLE_EQ(s.resistance, 22.5);
    EXPECT_EQ(s.safe, 1.0);

    s = evaluateLimitState({6, 150, 400, 8, 3, 20, 5});
    EXPECT_DOUBLE_EQ(s.effect, 52.5);
    EXPECT_DOUBLE_EQ(s.resistance, 48.0);
    EXPECT_EQ(s.safe, 0.0);
}

TEST(LimitState, EqualityIsUnsafe) {
    const auto s = evaluateLimitState({4, 100, 200, 10, 2, 10, 0});
    EXPECT_EQ(s.effect, 10.0);
    EXPECT_EQ(s.resistance, 10.0);
    EXPECT_EQ(s.safe, 0.0);
}

TEST(LimitState, LoadAtASupportAndOutsideTheSpan) {
    EXPECT_EQ(evaluateLimitState({4, 100, 200, 10, 0, 10, 0}).effect, 0.0);
    EXPECT_EQ(evaluateLimitState({4, 100, 200, 10, 4, 10, 0}).effect, 0.0);
    EXPECT_DOUBLE_EQ(evaluateLimitState({4, 100, 200, 10, 5, 10, 1}).effect, -10.5);
}

TEST(LimitState, OperationOrderFixesTheLastBits) {
    // The point moment is ((L - a) * (a * P)) / L and the product runs left to right.
    const double L = 3.7 * 1000, a = 1.3 * 1000, P = 7.9 * 1000, w = 2.2;
    const double expectedE = (((L - a) * (a * P)) / L + ((w * L) * L) * 0.125) * 1e-6;
    const double expectedR = ((((17.3 * 81.0) * 233.0) * 233.0) * 0.25) * 1e-6;
    const auto s = evaluateLimitState({3.7, 81.0, 233.0, 17.3, 1.3, 7.9, 2.2});
    EXPECT_EQ(s.effect, expectedE);
    EXPECT_EQ(s.resistance, expectedR);
}

TEST(LimitState, NotANumberIsUnsafe) {
    const auto s = evaluateLimitState({0, 100, 200, 10, 0, 10, 0});  // 0/0 at a zero span
    EXPECT_TRUE(std::isnan(s.effect));
    EXPECT_EQ(s.safe, 0.0);
}

}  // namespace
}  // namespace ferrolith
