// What the charts draw on their axes, as the results window and the calculation record both take
// it: the histograms' outlines and marker, the design curve. (The convergence chart's Pf axis and
// floor are convergencePfAxis's.)
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/design_curve_layout.hpp"
#include "analysis/histogram_layout.hpp"

namespace ferrolith {
namespace {

TEST(ChartLayouts, HistogramsAreOutlinedOverOneValueAxisWithTheMarkerToTheTop) {
    const SampleHistogram e{2.0, 1.0, {0, 3, 1}, 0};
    const SampleHistogram r{4.0, 2.0, {12}, 0};
    const HistogramLayout layout = histogramLayout({e, r}, -1.0);
    EXPECT_EQ(layout.outlines, (std::vector<std::vector<ChartPoint>>{
                                   {{2, 0}, {2, 0}, {3, 0}, {3, 3}, {4, 3}, {4, 1}, {5, 1}, {5, 0}},
                                   {{4, 0}, {4, 12}, {6, 12}, {6, 0}}}));
    // Values from the marker at -1 to the last bin's edge at 6; counts to 12, by fives.
    EXPECT_EQ(layout.values.low, -2.0);
    EXPECT_EQ(layout.values.high, 6.0);
    EXPECT_EQ(layout.marker, (std::array<ChartPoint, 2>{{{-1.0, 0.0}, {-1.0, 15.0}}}));
    EXPECT_FALSE(histogramLayout({e}, std::nullopt).marker);
}

TEST(ChartLayouts, TheDesignCurveLeavesOutPointsWithoutABeta) {
    DesignForTarget design;
    design.range = {100.0, 400.0};
    design.target = 3.8;
    design.curve = {{100, 1.2}, {200, NAN}, {300, 4.5}, {400, 5.1}};
    design.value = 250;
    design.beta = 3.8;
    const DesignCurveLayout found = designCurveLayout(design);
    EXPECT_EQ(found.curve, (std::vector<ChartPoint>{{100, 1.2}, {300, 4.5}, {400, 5.1}}));
    EXPECT_EQ(found.values.title, "Beam Depth (mm), first number");
    EXPECT_EQ(found.target, (std::array<ChartPoint, 2>{{{100.0, 3.8}, {400.0, 3.8}}}));
    EXPECT_EQ(found.found, (ChartPoint{250.0, 3.8}));
    EXPECT_EQ(found.targetName, "target 3.80");
    design.beta = NAN;
    EXPECT_FALSE(designCurveLayout(design).found);
}

}  // namespace
}  // namespace ferrolith
