#include "failure_statistics/sample_histogram.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "failure_statistics/distribution_histograms.hpp"

namespace ferrolith {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

TEST(FiniteRange, SpansEverySetAndSkipsNonFinite) {
    const std::vector<double> e{3, nan, 7};
    const std::vector<double> r{-inf, 5, 12};
    const ValueRange range = finiteRange({e, r});
    EXPECT_EQ(range.low, 3.0);
    EXPECT_EQ(range.high, 12.0);
    const std::vector<double> none{nan, inf};
    const ValueRange empty = finiteRange({none, {}});
    EXPECT_EQ(empty.low, 0.0);
    EXPECT_EQ(empty.high, 0.0);
}

TEST(SampleHistogram, EqualBinsLastHoldsTheUpperEdge) {
    const std::vector<double> v{0, 0.5, 1, 2.49, 2.5, 4, 10, nan, -1};
    const SampleHistogram h = sampleHistogram(v, {0, 10}, 4);
    EXPECT_EQ(h.low, 0.0);
    EXPECT_EQ(h.width, 2.5);
    EXPECT_EQ(h.counts, (std::vector<std::int64_t>{4, 2, 0, 1}));
    EXPECT_EQ(h.notFinite, 1);
}

TEST(SampleHistogram, ConstantSampleIsOneBar) {
    const std::vector<double> v{5, 5, 5};
    const SampleHistogram h = sampleHistogram(v, finiteRange({v}), 2);
    EXPECT_EQ(h.low, 4.0);
    EXPECT_EQ(h.width, 1.0);
    EXPECT_EQ(h.counts, (std::vector<std::int64_t>{0, 3}));
}

}  // namespace
}  // namespace ferrolith

namespace ferrolith {
namespace {

TEST(DistributionHistograms, EAndRShareARangeAndTheMarginHasItsOwn) {
    const std::vector<double> effect{1.0, 2.0, 3.0, nan};
    const std::vector<double> resist{2.0, 2.0, 5.0, 4.0};
    const DistributionHistograms h = distributionHistograms(effect, resist);
    for (const SampleHistogram* moments : {&h.effect, &h.resist}) {
        EXPECT_EQ(moments->low, 1.0);
        EXPECT_DOUBLE_EQ(moments->width, 4.0 / distributionBins);
        EXPECT_EQ(moments->counts.size(), static_cast<std::size_t>(distributionBins));
    }
    EXPECT_EQ(h.effect.notFinite, 1);
    // Margins 1, 0, 2 and one that is not a number.
    EXPECT_EQ(h.margin.low, 0.0);
    EXPECT_DOUBLE_EQ(h.margin.width, 2.0 / distributionBins);
    EXPECT_EQ(h.margin.notFinite, 1);
    EXPECT_EQ(h.margin.counts.front(), 1);
    EXPECT_EQ(h.margin.counts[distributionBins / 2], 1);
    EXPECT_EQ(h.margin.counts.back(), 1);
}

}  // namespace
}  // namespace ferrolith
