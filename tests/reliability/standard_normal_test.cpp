#include "reliability/standard_normal.hpp"

#include <gtest/gtest.h>

#include <array>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <vector>

#include "reliability/normal_stream.hpp"
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

// 1.6e7 normals from four streams: the mass beyond each of these points on both sides within 4
// standard deviations of Phi (about 54 beyond 4.5), the body and the ziggurat's tail alike.
TEST(StandardNormal, StreamsMassBeyondEachPointMatchesPhi) {
    constexpr int perStream = 4'000'000;
    constexpr std::array<double, 4> points{0.5, 2.0, 3.4, 4.5};
    std::array<std::int64_t, 4> below{}, above{};
    for (std::uint64_t stream = 1; stream <= 4; ++stream) {
        NormalStream normals(99, stream);
        for (int i = 0; i < perStream; ++i) {
            const double z = normals.next();
            for (std::size_t k = 0; k < points.size(); ++k) {
                below[k] += z < -points[k] ? 1 : 0;
                above[k] += z > points[k] ? 1 : 0;
            }
        }
    }
    const double n = 4.0 * perStream;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const double p = boost::math::cdf(standard, -points[k]);
        const double sd = std::sqrt(n * p * (1 - p));
        EXPECT_NEAR(static_cast<double>(below[k]), n * p, 4 * sd) << points[k];
        EXPECT_NEAR(static_cast<double>(above[k]), n * p, 4 * sd) << points[k];
    }
}

TEST(NormalStream, EachSeedAndStreamIsItsOwnSequence) {
    const auto firstFour = [](std::uint64_t seed, std::uint64_t stream) {
        NormalStream normals(seed, stream);
        return std::vector<double>{normals.next(), normals.next(), normals.next(), normals.next()};
    };
    EXPECT_EQ(firstFour(7, 3), firstFour(7, 3));
    EXPECT_NE(firstFour(7, 3), firstFour(7, 4));
    EXPECT_NE(firstFour(7, 3), firstFour(8, 3));
    EXPECT_NE(firstFour(7, 1), firstFour(7, importanceStreamBase + 1));
}

}  // namespace
}  // namespace ferrolith::reliability
