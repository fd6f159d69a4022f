// What the charts draw on their axes, as the results window and the calculation record both take
// it: the convergence band, the histograms' outlines and marker, the design curve.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "analysis/convergence_layout.hpp"
#include "analysis/design_curve_layout.hpp"
#include "analysis/histogram_layout.hpp"

namespace ferrolith {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(ChartLayouts, ConvergenceTakesItsScaleAndSetsWhatLiesBelowALogAxisOnItsFloor) {
    EXPECT_FALSE(ConvergenceLayout::of({}));
    // Pf 0 then 1e-5 in 1e5 samples: a logarithmic Pf axis from 1e-8.
    const std::vector<ConvergencePoint> small{{100000, 0.0, {0.0, 3.8e-5}},
                                              {200000, 5e-6, {8.8e-7, 2.8e-5}}};
    const auto log = ConvergenceLayout::of(small);
    ASSERT_TRUE(log);
    EXPECT_EQ(log->pf().title, "Pf (log scale)");
    EXPECT_EQ(log->pf().low, 1e-8);
    EXPECT_EQ(log->samples().labels, (std::vector<std::string>{"100000", "200000"}));
    const auto first = log->drawn(small[0]);
    EXPECT_EQ((std::vector<double>{first.samples, first.pf, first.lower, first.upper}),
              (std::vector<double>{100000, 1e-8, 1e-8, 3.8e-5}));
    // One point: a decade of samples; a large Pf on a linear axis from 0, drawn as it is.
    const std::vector<ConvergencePoint> large{{1000, 0.0, {0.0, 0.2}}};
    const auto linear = ConvergenceLayout::of(large);
    ASSERT_TRUE(linear);
    EXPECT_EQ(linear->samples().high, 10000.0);
    EXPECT_EQ(linear->pf().title, "Pf");
    EXPECT_EQ(linear->pf().high, 0.25);
    EXPECT_EQ(linear->drawn(large[0]).pf, 0.0);
}

TEST(ChartLayouts, HistogramsAreOutlinedOverOneValueAxisWithTheMarkerToTheTop) {
    const SampleHistogram e{2.0, 1.0, {0, 3, 1}, 0};
    const SampleHistogram r{4.0, 2.0, {12}, 0};
    const HistogramLayout layout = histogramLayout({e, r}, -1.0);
    ASSERT_EQ(layout.outlines.size(), 2u);
    EXPECT_EQ(
        layout.outlines[0],
        (std::vector<ChartPoint>{{2, 0}, {2, 0}, {3, 0}, {3, 3}, {4, 3}, {4, 1}, {5, 1}, {5, 0}}));
    EXPECT_EQ(layout.outlines[1], (std::vector<ChartPoint>{{4, 0}, {4, 12}, {6, 12}, {6, 0}}));
    // The values from the marker at -1 to the last bin's edge at 6; the counts to 12, by fives.
    EXPECT_EQ(layout.values.low, -2.0);
    EXPECT_EQ(layout.values.high, 6.0);
    EXPECT_EQ(layout.counts.high, 15.0);
    ASSERT_TRUE(layout.marker);
    EXPECT_EQ((*layout.marker)[0], (ChartPoint{-1.0, 0.0}));
    EXPECT_EQ((*layout.marker)[1], (ChartPoint{-1.0, 15.0}));
    EXPECT_FALSE(histogramLayout({e}, std::nullopt).marker);
}

TEST(ChartLayouts, TheDesignCurveLeavesOutPointsWithoutABeta) {
    DesignForTarget design;
    design.request.input = InputVariable::BeamDepth;
    design.range = {100.0, 400.0};
    design.target = 3.8;
    design.curve = {{100, 1.2}, {200, nan}, {300, 4.5}, {400, 5.1}};
    design.value = 250;
    design.beta = 3.8;
    const DesignCurveLayout found = designCurveLayout(design);
    EXPECT_EQ(found.curve, (std::vector<ChartPoint>{{100, 1.2}, {300, 4.5}, {400, 5.1}}));
    EXPECT_EQ(found.values.low, 100.0);
    EXPECT_EQ(found.values.high, 400.0);
    EXPECT_EQ(found.values.title, "Beam Depth (mm), first number");
    EXPECT_EQ(found.beta.labels, (std::vector<std::string>{"1", "2", "3", "4", "5", "6"}));
    EXPECT_EQ(found.target[0], (ChartPoint{100.0, 3.8}));
    EXPECT_EQ(found.target[1], (ChartPoint{400.0, 3.8}));
    EXPECT_EQ(found.found, (ChartPoint{250.0, 3.8}));
    EXPECT_EQ(found.targetName, "target 3.80");
    design.beta = nan;
    EXPECT_FALSE(designCurveLayout(design).found);
}

}  // namespace
}  // namespace ferrolith
