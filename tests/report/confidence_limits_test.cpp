#include "report/confidence_limits.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace ferrolith {
namespace {

TEST(ConfidenceLimits, SafeFractionPlusMinusTwiceTheBinomialStandardError) {
    struct Case {
        double p, T, lower, upper;
    };
    // Worked by hand: 1.96 x sqrt(0.09 / 25000) = 0.0037188385..., 1.96 x sqrt(0.0099 / 100)
    // = 0.0195017537...
    const Case cases[] = {
        {0.9, 25000, 0.8962811614716, 0.9037188385284},
        {0.01, 100, -0.0095017537673, 0.0295017537673},  // not clipped to 0
        {1.0, 25000, 1.0, 1.0},
        {0.0, 8, 0.0, 0.0},
        {0.5, 40000, 0.4951, 0.5049},
    };
    for (const Case& c : cases) {
        const ConfidenceLimits limits = safeFractionLimits(c.p, c.T);
        EXPECT_NEAR(limits.lower, c.lower, 1e-12) << c.p;
        EXPECT_NEAR(limits.upper, c.upper, 1e-12) << c.p;
        // Against the library's root, to the last bits.
        const double q = 1.96 * std::sqrt(c.p * (1 - c.p) / c.T);
        EXPECT_NEAR(limits.lower, c.p - q, 1e-15) << c.p;
        EXPECT_NEAR(limits.upper, c.p + q, 1e-15) << c.p;
    }
}

}  // namespace
}  // namespace ferrolith
