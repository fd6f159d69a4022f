#include "failure_statistics/reliability_index.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace ferrolith {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

struct Quantile {
    double p;
    double value;  // Phi^-1(p) from published tables
};

TEST(NormalQuantile, MatchesPublishedValues) {
    for (const Quantile& q :
         {Quantile{1e-6, -4.753424308822899}, Quantile{1e-4, -3.719016485455680},
          Quantile{1e-3, -3.090232306167813}, Quantile{0.5, 0.0},
          Quantile{0.975, 1.959963984540054}}) {
        EXPECT_NEAR(normalQuantile(q.p), q.value, 1e-14 * std::max(1.0, std::abs(q.value))) << q.p;
    }
}

TEST(NormalQuantile, EndsAreInfiniteAndNaNPassesThrough) {
    EXPECT_EQ(normalQuantile(0.0), -infinity);
    EXPECT_EQ(normalQuantile(1.0), infinity);
    EXPECT_TRUE(std::isnan(normalQuantile(std::numeric_limits<double>::quiet_NaN())));
}

TEST(ReliabilityIndex, IsTheNegatedQuantile) {
    EXPECT_NEAR(reliabilityIndex(1e-6), 4.753424308822899, 1e-14 * 4.8);
    EXPECT_EQ(reliabilityIndex(0.0), infinity);
    EXPECT_EQ(reliabilityIndex(1.0), -infinity);
    EXPECT_FALSE(std::signbit(reliabilityIndex(0.5)));  // 0, never -0
}

}  // namespace
}  // namespace ferrolith
