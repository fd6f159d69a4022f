#include "reliability/standard_normal.hpp"

#include <gtest/gtest.h>

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstdint>
#include <vector>

#include "reliability/normal_stream.hpp"

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

TEST(StandardNormal, UniformsStayInsideTheOpenInterval) {
    EXPECT_GT(uniformAt(-60.0), 0.0);
    EXPECT_LT(uniformAt(60.0), 1.0);
    EXPECT_EQ(uniformAt(0.0), 0.5);
}

// Bits whose 52-bit tail index is k, on the lower (top bit 0) or upper side.
std::uint64_t bitsOf(std::uint64_t k, bool upper) {
    return (upper ? std::uint64_t{1} << 63 : 0) | (k << 11);
}

TEST(StandardNormal, BitsGiveTheQuantileOfTheirTailProbability) {
    for (std::uint64_t k : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{123456789},
                            std::uint64_t{1} << 40, (std::uint64_t{1} << 52) - 1}) {
        const double p = static_cast<double>(2 * k + 1) * 0x1p-54;
        const double expected = boost::math::quantile(standard, p);
        EXPECT_NEAR(normalFromBits(bitsOf(k, false)), expected, 1e-13 * std::abs(expected)) << k;
        EXPECT_EQ(normalFromBits(bitsOf(k, true)), -normalFromBits(bitsOf(k, false))) << k;
    }
    // The far ends: p = 2^-54 on either side.
    EXPECT_NEAR(normalFromBits(0), -8.2924, 1e-4);
    EXPECT_NEAR(normalFromBits(bitsOf(0, true)), 8.2924, 1e-4);
}

TEST(StandardNormal, StreamsTailMassBelowMinus4point5MatchesPhi) {
    // 1.6e7 normals from four streams: about 54 below -4.5, within 4 standard deviations.
    constexpr int perStream = 4'000'000;
    std::int64_t below = 0;
    for (std::uint64_t stream = 1; stream <= 4; ++stream) {
        NormalStream normals(99, stream);
        for (int i = 0; i < perStream; ++i) below += normals.next() < -4.5 ? 1 : 0;
    }
    const double n = 4.0 * perStream;
    const double p = boost::math::cdf(standard, -4.5);
    EXPECT_NEAR(static_cast<double>(below), n * p, 4 * std::sqrt(n * p * (1 - p)));
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
