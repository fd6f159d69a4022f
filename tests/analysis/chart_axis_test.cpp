// The charts' axes, as the results window and the calculation record both take them: ranges,
// ticks and their labels.
#include "analysis/chart_axis.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace ferrolith {
namespace {

std::string range(double low, double high) {
    char text[64];
    std::snprintf(text, sizeof text, "%.12g to %.12g:", low, high);
    return text;
}

// "0 to 0.5: 0 0.1 0.2 0.3 0.4 0.5": the range and the labels.
std::string seen(const ChartAxis& axis) {
    std::string text = range(axis.low, axis.high);
    for (const std::string& label : axis.labels) text += " " + label;
    return text;
}

TEST(ChartAxis, RangesTicksAndLabelsOfEveryKind) {
    const std::vector<std::pair<ChartAxis, std::string>> cases = {
        // Widened to whole steps.
        {roundedAxis(0.0, 0.4557, ""), range(0, 0.5) + " 0 0.1 0.2 0.3 0.4 0.5"},
        {roundedAxis(-17.3, 24.1, ""), range(-20, 30) + " -20 -10 0 10 20 30"},
        {roundedAxis(0.1475, 7.05, ""), range(0, 8) + " 0 2 4 6 8"},
        {roundedAxis(0.01, 0.23, ""), range(0, 0.25) + " 0 0.05 0.10 0.15 0.20 0.25"},
        {roundedAxis(1000.1, 1000.9, ""), range(1000, 1001) + " 1000.0 1000.2 1000.4 1000.6 "
                                                              "1000.8 1001.0"},
        {roundedAxis(0.0, 3e-5, ""), range(0, 3e-5) + " 0 1e-05 2e-05 3e-05"},
        {roundedAxis(0.0, 2.4e6, ""),
         range(0, 2.5e6) + " 0 5.0e+05 1.0e+06 1.5e+06 2.0e+06 2.5e+06"},
        // No width, no finite end, no difference a double holds: still a range.
        {roundedAxis(5.0, 5.0, ""), range(5, 6) + " 5.0 5.2 5.4 5.6 5.8 6.0"},
        {roundedAxis(std::nan(""), 1.0, ""), range(0, 1) + " 0 0.2 0.4 0.6 0.8 1.0"},
        {roundedAxis(-1e308, 1e308, ""), range(0, 1) + " 0 0.2 0.4 0.6 0.8 1.0"},
        {exactAxis(1e16, 1e16 + 4, ""), range(1e16, 1e16 + 1e10) +
                                            " 1.0000000e+16 1.0000002e+16 1.0000004e+16 " +
                                            "1.0000006e+16 1.0000008e+16 1.0000010e+16"},
        // Exactly the range, the steps inside.
        {exactAxis(112.5, 450.0, ""), range(112.5, 450) + " 200 300 400"},
        // A tick a count below ten.
        {countAxis(1.0, ""), range(0, 1) + " 0 1"},
        {countAxis(2.5, ""), range(0, 3) + " 0 1 2 3"},
        {countAxis(9.0, ""), range(0, 9) + " 0 1 2 3 4 5 6 7 8 9"},
        {countAxis(10.0, ""), range(0, 10) + " 0 2 4 6 8 10"},
        {countAxis(37.0, ""), range(0, 40) + " 0 10 20 30 40"},
        {countAxis(INFINITY, ""), range(0, 1) + " 0 0.2 0.4 0.6 0.8 1.0"},
        // Decades, or the ends where fewer than two lie inside.
        {logarithmicAxis(1000.0, 25000.0, ""), range(1000, 25000) + " 1000 10000"},
        {logarithmicAxis(1e-8, 1e-4, ""), range(1e-8, 1e-4) + " 1e-08 1e-07 1e-06 1e-05 1e-04"},
        {logarithmicAxis(2000.0, 50000.0, ""), range(2000, 50000) + " 2000 50000"},
        {logarithmicAxis(0.0, 0.0, ""), range(1, 10) + " 1 10"},
    };
    for (const auto& [axis, expected] : cases) {
        EXPECT_EQ(seen(axis), expected);
        EXPECT_EQ(axis.ticks.size(), axis.labels.size()) << expected;
        EXPECT_EQ(axis.fraction(axis.low), 0.0) << expected;
        EXPECT_EQ(axis.fraction(axis.high), 1.0) << expected;
    }
    EXPECT_EQ(logarithmicAxis(1e-8, 1e-4, "").fraction(1e-6), 0.5);
}

// Over ranges of every size and place: the ticks lie in the range, a whole step apart, and each
// label reads back as its tick, so no two are alike.
TEST(ChartAxis, EveryLabelReadsBackAsItsTick) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-7.0, 7.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int i = 0; i < 2000; ++i) {
        const double span = std::pow(10.0, exponent(random));
        const double low = unit(random) * span * std::pow(10.0, unit(random) * 3);
        for (const ChartAxis& axis :
             {roundedAxis(low, low + span, ""), exactAxis(low, low + span, "")}) {
            const std::string what = std::to_string(low) + " + " + std::to_string(span);
            ASSERT_GE(axis.ticks.size(), 2u) << what;
            EXPECT_LE(axis.ticks.size(), 11u) << what;
            EXPECT_LE(axis.low, low) << what;
            EXPECT_GE(axis.high, low + span) << what;
            const double step = axis.ticks[1] - axis.ticks[0];
            for (std::size_t t = 0; t < axis.ticks.size(); ++t) {
                EXPECT_GE(axis.ticks[t], axis.low - step * 1e-9) << what;
                EXPECT_LE(axis.ticks[t], axis.high + step * 1e-9) << what;
                EXPECT_NEAR(axis.ticks[t] - axis.ticks[0], step * t, step * 1e-6) << what;
                EXPECT_NEAR(std::stod(axis.labels[t]), axis.ticks[t], step * 1e-6) << what;
            }
            EXPECT_EQ(std::set(axis.labels.begin(), axis.labels.end()).size(), axis.labels.size())
                << what;
        }
    }
}

}  // namespace
}  // namespace ferrolith
