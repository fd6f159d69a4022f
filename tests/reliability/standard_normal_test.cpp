#include "reliability/standard_normal.hpp"

#include <gtest/gtest.h>

#include <array>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <vector>

#include "support/precise_inputs.hpp"

namespace ferrolith::reliability {
namespace {

const boost::math::normal_distribution<double> standard;

TEST(StandardNormal, DistributionFunctionKeepsBothTails) {
    for (double z : {-37.0, -12.0, -5.2, -1.0, 0.0, 0.3, 2.5, 6.0}) {
        const double expected = boost::math::cdf(standard, z);
        EXPECT_NEAR(normalCdf(z), expected, 1e-14 * expected) << z;
        EXPECT_NEAR(normalDensity(z), boost::math::pdf(standard, z), 1e-15) << z;
    }
}

TEST(StandardNormal, LogDistributionFunctionKeepsBothTails) {
    for (double z : {-37.0, -8.0, -1.0, 0.0, 0.4, 5.9, 8.0}) {
        const double expected = static_cast<double>(log(test::preciseUniform(z)));
        EXPECT_NEAR(logNormalCdf(z), expected, 1e-14 * std::abs(expected)) << z;
    }
    // Beyond the doubles' range of Phi the uniform stays inside (0, 1): finite and below 0.
    for (double z : {-60.0, 60.0}) {
        EXPECT_TRUE(std::isfinite(logNormalCdf(z))) << z;
        EXPECT_LT(logNormalCdf(z), 0.0) << z;
    }
}

}  // namespace
}  // namespace ferrolith::reliability
