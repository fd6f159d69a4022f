// The charts' axes, as the results window and the calculation record both take them: ranges,
// ticks and their labels.
#include "analysis/chart_axis.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace ferrolith {
namespace {

using Labels = std::vector<std::string>;

TEST(ChartAxis, RangesTicksAndLabelsOfEveryKind) {
    struct Case {
        std::string what;
        ChartAxis axis;
        double low;
        double high;
        Labels labels;
    };
    const std::vector<Case> cases = {
        {"Pf, widened to the step",
         roundedAxis(0.0, 0.4557, "Pf"),
         0.0,
         0.5,
         {"0", "0.1", "0.2", "0.3", "0.4", "0.5"}},
        {"a margin across 0",
         roundedAxis(-17.3, 24.1, "kN m"),
         -20.0,
         30.0,
         {"-20", "-10", "0", "10", "20", "30"}},
        {"betas", roundedAxis(0.1475, 7.05, "beta"), 0.0, 8.0, {"0", "2", "4", "6", "8"}},
        {"steps of 0.05",
         roundedAxis(0.01, 0.23, "Pf"),
         0.0,
         0.25,
         {"0", "0.05", "0.10", "0.15", "0.20", "0.25"}},
        {"no width: one unit above",
         roundedAxis(5.0, 5.0, "x"),
         5.0,
         6.0,
         {"5.0", "5.2", "5.4", "5.6", "5.8", "6.0"}},
        {"digits past four",
         roundedAxis(1000.1, 1000.9, "x"),
         1000.0,
         1001.0,
         {"1000.0", "1000.2", "1000.4", "1000.6", "1000.8", "1001.0"}},
        {"small steps in powers of ten",
         roundedAxis(0.0, 3e-5, "x"),
         0.0,
         3e-5,
         {"0", "1e-05", "2e-05", "3e-05"}},
        {"large values in powers of ten",
         roundedAxis(0.0, 2.4e6, "x"),
         0.0,
         2.5e6,
         {"0", "5.0e+05", "1.0e+06", "1.5e+06", "2.0e+06", "2.5e+06"}},
        {"not finite",
         roundedAxis(std::nan(""), 1.0, "x"),
         0.0,
         1.0,
         {"0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {"a searched range, exactly",
         exactAxis(112.5, 450.0, "x"),
         112.5,
         450.0,
         {"200", "300", "400"}},
        {"one count", countAxis(1.0, "n"), 0.0, 1.0, {"0", "1"}},
        {"a fraction of a count", countAxis(2.5, "n"), 0.0, 3.0, {"0", "1", "2", "3"}},
        {"nine counts",
         countAxis(9.0, "n"),
         0.0,
         9.0,
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {"ten counts, by twos", countAxis(10.0, "n"), 0.0, 10.0, {"0", "2", "4", "6", "8", "10"}},
        {"many counts", countAxis(37.0, "n"), 0.0, 40.0, {"0", "10", "20", "30", "40"}},
        {"samples", logarithmicAxis(1000.0, 25000.0, "s"), 1000.0, 25000.0, {"1000", "10000"}},
        {"small Pf",
         logarithmicAxis(1e-8, 1e-4, "Pf"),
         1e-8,
         1e-4,
         {"1e-08", "1e-07", "1e-06", "1e-05", "1e-04"}},
        {"one decade inside: the ends",
         logarithmicAxis(2000.0, 50000.0, "s"),
         2000.0,
         50000.0,
         {"2000", "50000"}},
        {"two decades, the ends",
         logarithmicAxis(100.0, 1000.0, "s"),
         100.0,
         1000.0,
         {"100", "1000"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.axis.low, c.low) << c.what;
        EXPECT_EQ(c.axis.high, c.high) << c.what;
        EXPECT_EQ(c.axis.labels, c.labels) << c.what;
        ASSERT_EQ(c.axis.ticks.size(), c.labels.size()) << c.what;
        EXPECT_EQ(c.axis.fraction(c.axis.low), 0.0) << c.what;
        EXPECT_EQ(c.axis.fraction(c.axis.high), 1.0) << c.what;
    }
    EXPECT_EQ(logarithmicAxis(1e-8, 1e-4, "Pf").fraction(1e-6), 0.5);
    EXPECT_EQ(roundedAxis(0.0, 0.4557, "Pf").title, "Pf");
}

// Over ranges of every size and place: the ticks lie in the range, in order, a whole step apart,
// and each label reads back as its tick, so no two are alike.
TEST(ChartAxis, EveryLabelReadsBackAsItsTick) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> exponent(-7.0, 7.0);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    const std::vector<std::pair<const char*, std::function<ChartAxis(double, double)>>> kinds = {
        {"rounded", [](double a, double b) { return roundedAxis(a, b, ""); }},
        {"exact", [](double a, double b) { return exactAxis(a, b, ""); }},
    };
    for (int i = 0; i < 2000; ++i) {
        const double span = std::pow(10.0, exponent(random));
        const double low = unit(random) * span * std::pow(10.0, unit(random) * 3);
        const double high = low + span;
        for (const auto& [kind, make] : kinds) {
            const ChartAxis axis = make(low, high);
            const std::string what =
                std::string(kind) + " " + std::to_string(low) + " to " + std::to_string(high);
            ASSERT_GE(axis.ticks.size(), 2u) << what;
            EXPECT_LE(axis.ticks.size(), 11u) << what;
            EXPECT_LE(axis.low, low) << what;
            EXPECT_GE(axis.high, high) << what;
            const double step = axis.ticks[1] - axis.ticks[0];
            for (std::size_t t = 0; t < axis.ticks.size(); ++t) {
                EXPECT_GE(axis.ticks[t], axis.low - step * 1e-9) << what;
                EXPECT_LE(axis.ticks[t], axis.high + step * 1e-9) << what;
                if (t > 0) {
                    EXPECT_NEAR(axis.ticks[t] - axis.ticks[t - 1], step, step * 1e-6) << what;
                }
                EXPECT_NEAR(std::stod(axis.labels[t]), axis.ticks[t], step * 1e-6)
                    << what << " " << axis.labels[t];
            }
            EXPECT_EQ(std::set<std::string>(axis.labels.begin(), axis.labels.end()).size(),
                      axis.labels.size())
                << what;
        }
    }
}

}  // namespace
}  // namespace ferrolith
