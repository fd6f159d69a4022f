#pragma once

#include <span>

#include "failure_statistics/sample_histogram.hpp"

namespace ferrolith {

// Bins of the distribution charts, in the window and in the calculation record.
inline constexpr int distributionBins = 60;

// The histograms of one repetition's samples: E and R over one common range, and the margin
// R - E over its own.
struct DistributionHistograms {
    SampleHistogram effect;
    SampleHistogram resist;
    SampleHistogram margin;
};

// effect and resist hold the same samples' values, in sample order.
DistributionHistograms distributionHistograms(std::span<const double> effect,
                                              std::span<const double> resist);

}  // namespace ferrolith
