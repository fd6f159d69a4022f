#pragma once

#include <array>
#include <optional>
#include <vector>

#include "analysis/chart_axis.hpp"
#include "failure_statistics/sample_histogram.hpp"

namespace ferrolith {

// Histograms overlaid on one value axis (the moments, in kN m) over a count axis, each drawn as
// the outline of its bars, with an optional vertical line that marks a value.
struct HistogramLayout {
    ChartAxis values;  // every histogram and the marked value
    ChartAxis counts;  // from 0 to the highest bar
    // One a histogram: up and across each bin, down at the end.
    std::vector<std::vector<ChartPoint>> outlines;
    // From the count axis's foot to its top at the marked value.
    std::optional<std::array<ChartPoint, 2>> marker;
};

// histograms holds one at least.
HistogramLayout histogramLayout(const std::vector<SampleHistogram>& histograms,
                                std::optional<double> marker);

}  // namespace ferrolith
