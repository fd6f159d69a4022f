#include "model/sample_statistics.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace ferrolith {
namespace {

TEST(SampleStatistics, EveryValueCounts) {
    const std::vector<double> v{2, 4, 6};
    EXPECT_EQ(sampleMean(v), 4.0);
    EXPECT_EQ(sampleStdDev(v), 2.0);
    const std::vector<double> one{7};
    EXPECT_EQ(sampleMean(one), 7.0);
    EXPECT_EQ(sampleStdDev(one), 0.0);
    // The first value counts as much as the others.
    EXPECT_EQ(sampleMean(std::vector<double>{100, 2, 4, 6}), 28.0);
}

TEST(SampleStatistics, IndicatorArrays) {
    const std::vector<double> allSafe{1, 1, 1, 1, 1};
    EXPECT_EQ(sampleMean(allSafe), 1.0);
    EXPECT_EQ(sampleStdDev(allSafe), 0.0);
    const std::vector<double> noneSafe{0, 0, 0};
    EXPECT_EQ(sampleMean(noneSafe), 0.0);
    EXPECT_EQ(sampleStdDev(noneSafe), 0.0);
    const std::vector<double> mixed{1, 1, 1, 0};
    EXPECT_EQ(sampleMean(mixed), 0.75);
    EXPECT_EQ(sampleStdDev(mixed), 0.5);
}

TEST(SampleStatistics, HalfIntegers) {
    const std::vector<double> v{1.5, 2.5};
    EXPECT_EQ(sampleMean(v), 2.0);
    EXPECT_EQ(sampleStdDev(v), 0.7071067811865476);
}

TEST(SampleStatistics, EqualValuesNeverGiveNotANumber) {
    // One-pass rounding leaves a tiny negative numerator for these; the exact spread is 0.
    for (double x : {0.1, 18.123456789, 1e-7, 123456.789}) {
        const std::vector<double> v(1000, x);
        const double sd = sampleStdDev(v);
        EXPECT_FALSE(std::isnan(sd)) << x;
        EXPECT_GE(sd, 0.0);
        EXPECT_LT(sd, 1e-6 * std::abs(x) + 1e-12);
    }
}

TEST(SampleStatistics, NoValues) {
    EXPECT_TRUE(std::isnan(sampleMean(std::vector<double>{})));
    EXPECT_EQ(sampleStdDev(std::vector<double>{}), 0.0);
}

TEST(SampleStatistics, SumsGiveTheSameFiguresAsTheArrays) {
    std::vector<double> v;
    double sum = 0, sumSq = 0;
    for (int i = 1; i <= 999; ++i) {
        v.push_back(std::sin(i) * 10 + 20);
        sum = sum + v.back();
        sumSq = v.back() * v.back() + sumSq;
    }
    EXPECT_EQ(meanFromSum(sum, 999), sampleMean(v));
    EXPECT_EQ(stdDevFromSums(sum, sumSq, 999), sampleStdDev(v));
    // Against a two-pass reference.
    double mean = sampleMean(v), ss = 0;
    for (double x : v) ss += (x - mean) * (x - mean);
    EXPECT_NEAR(sampleStdDev(v), std::sqrt(ss / 998), 1e-9);
}

}  // namespace
}  // namespace ferrolith
