#include "reliability/normal_stream.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <vector>

#include "reliability/normal_lanes.hpp"
#include "reliability/ziggurat.hpp"
#include "simd/processor.hpp"
#include "simd/scalar_math.hpp"

namespace ferrolith::reliability {
namespace {

const boost::math::normal_distribution<double> standard;

// 1.6e7 normals from four streams: the mass beyond each of these points on both sides within 4
// standard deviations of Phi (about 54 beyond 4.5; 4.04 is where the ziggurat's tail starts), and
// the counts in 200 bins of equal probability by a chi-squared test at the 1e-4 level, the body,
// the wedges and the tail alike.
TEST(NormalStream, MassBeyondEachPointAndInEqualBinsMatchesPhi) {
    constexpr int perStream = 4'000'000;
    constexpr std::array<double, 5> points{0.5, 2.0, 3.4, Ziggurat::tailStart, 4.5};
    constexpr int bins = 200;
    std::vector<double> edges;
    for (int k = 1; k < bins; ++k) edges.push_back(boost::math::quantile(standard, k * 1.0 / bins));
    std::array<std::int64_t, points.size()> below{}, above{};
    std::vector<std::int64_t> counts(bins, 0);
    for (std::uint64_t stream = 1; stream <= 4; ++stream) {
        NormalStream normals(99, stream);
        for (int i = 0; i < perStream; ++i) {
            const double z = normals.next();
            for (std::size_t k = 0; k < points.size(); ++k) {
                below[k] += z < -points[k] ? 1 : 0;
                above[k] += z > points[k] ? 1 : 0;
            }
            ++counts[static_cast<std::size_t>(std::upper_bound(edges.begin(), edges.end(), z) -
                                              edges.begin())];
        }
    }
    const double n = 4.0 * perStream;
    for (std::size_t k = 0; k < points.size(); ++k) {
        const double p = boost::math::cdf(standard, -points[k]);
        const double sd = std::sqrt(n * p * (1 - p));
        EXPECT_NEAR(static_cast<double>(below[k]), n * p, 4 * sd) << points[k];
        EXPECT_NEAR(static_cast<double>(above[k]), n * p, 4 * sd) << points[k];
    }
    double chiSquared = 0.0;
    for (const std::int64_t c : counts) {
        const double expected = n / bins;
        chiSquared +=
            (static_cast<double>(c) - expected) * (static_cast<double>(c) - expected) / expected;
    }
    const boost::math::chi_squared_distribution<double> law(bins - 1);
    EXPECT_LT(chiSquared, boost::math::quantile(boost::math::complement(law, 1e-4)));
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

// The block draw and one at a time, mixed in any way across the lanes' passes, give one sequence;
// the uniforms come from elsewhere and move it by nothing.
TEST(NormalStream, NextFillAndUniformsGiveOneSequenceInAnyMix) {
    constexpr int total = 1000;
    NormalStream reference(5, 17);
    std::vector<double> expected(total);
    for (double& z : expected) z = reference.next();
    for (const std::vector<int>& pattern :
         {std::vector<int>{1}, {total}, {3, 64, 1, 200, 7}, {63, 65, 128, 2}, {130, 1, 1}}) {
        NormalStream normals(5, 17);
        std::vector<double> drawn;
        for (std::size_t k = 0; drawn.size() < total; ++k) {
            const int size =
                std::min<int>(pattern[k % pattern.size()], total - static_cast<int>(drawn.size()));
            normals.uniform();
            if (k % 2 == 0) {
                std::vector<double> block(static_cast<std::size_t>(size));
                normals.fill(block);
                drawn.insert(drawn.end(), block.begin(), block.end());
            } else {
                for (int i = 0; i < size; ++i) drawn.push_back(normals.next());
            }
        }
        EXPECT_EQ(drawn, expected) << pattern.front();
    }
}

// The reference implementation's first outputs from the state {1, 2, 3, 4}.
TEST(XoshiroLanes, EveryLaneFollowsTheReferenceGenerator) {
    XoshiroLanes lanes(0);
    for (int l = 0; l < XoshiroLanes::lanes; ++l)
        for (std::size_t j = 0; j < 4; ++j) lanes.words[j][static_cast<std::size_t>(l)] = j + 1;
    for (const std::uint64_t expected :
         {41943041ULL, 58720359ULL, 3588806011781223ULL, 3591011842654386ULL,
          9228616714210784205ULL, 9973669472204895162ULL})
        for (int l = 0; l < XoshiroLanes::lanes; ++l) EXPECT_EQ(lanes.next(l), expected) << l;
}

// Many passes from many seeds: the AVX2 pass and the AVX-512 one, each where the processor has it,
// give every word, every inside bit and every inside normal of the pass one lane at a time, and
// leave the lanes in the same state.
TEST(NormalLanes, VectorPassesMatchOneLaneAtATime) {
    using Pass = void (*)(XoshiroLanes&, double*, PassWords&);
    const struct {
        const char* name;
        bool runs;
        Pass pass;
    } forms[] = {{"AVX2", math::hasVectorKernels(), avx2::insideCandidates},
                 {"AVX-512", simd::hasAvx512(), avx512::insideCandidates}};
    for (const auto& form : forms) {
        if (!form.runs) continue;
        for (std::uint64_t seed : {1ULL, 2ULL, 0xDEADBEEFULL}) {
            XoshiroLanes one(seed), vector(seed);
            int outliers = 0;
            for (int pass = 0; pass < 2000; ++pass) {
                std::array<double, normalBatch> a{}, b{};
                PassWords wa, wb;
                insideCandidates(one, a.data(), wa);
                form.pass(vector, b.data(), wb);
                ASSERT_EQ(wa.word, wb.word) << form.name << " " << pass;
                ASSERT_EQ(wa.inside, wb.inside) << form.name << " " << pass;
                for (int k = 0; k < normalBatch; ++k) {
                    if ((wa.inside >> k) & 1) {
                        ASSERT_EQ(a[k], b[k]) << form.name << " " << pass << " " << k;
                    }
                }
                outliers += std::popcount(~wa.inside);
            }
            ASSERT_EQ(one.words, vector.words) << form.name;
            // About 0.43% of the candidates lie outside their rectangles.
            EXPECT_NEAR(outliers / (2000.0 * normalBatch), 0.0043, 0.001);
        }
    }
}

// Every layer, the base strip with the tail and the top one closing at x = 0, has the same area:
// to rounding, the top one to the precision of the tail's start found by bisection.
TEST(Ziggurat, LayersShareOneArea) {
    const Ziggurat& z = Ziggurat::table();
    const double v = z.area;
    EXPECT_NEAR(z.x[0] * z.fx[1], v, 1e-15);
    for (int i = 1; i < Ziggurat::layers; ++i)
        ASSERT_NEAR(z.x[i] * (z.fx[i + 1] - z.fx[i]), v, 1e-11 * v) << i;
    EXPECT_EQ(z.x[Ziggurat::layers], 0.0);
    EXPECT_EQ(z.fx[Ziggurat::layers], 1.0);
}

}  // namespace
}  // namespace ferrolith::reliability
