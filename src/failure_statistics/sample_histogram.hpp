#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace ferrolith {

// Counts of samples in equal bins from low to low + width x bins; the last bin holds its upper
// edge. Samples that are not finite are left out and counted apart.
struct SampleHistogram {
    double low = 0.0;
    double width = 0.0;
    std::vector<std::int64_t> counts;
    std::int64_t notFinite = 0;
};

struct ValueRange {
    double low = 0.0;
    double high = 0.0;
};

// The smallest range holding every finite value of every set; a set without finite values adds
// nothing, and no finite value at all gives [0, 0].
ValueRange finiteRange(std::initializer_list<std::span<const double>> sets);

// values binned over range in bins equal bins (bins >= 1). A range of no width is widened to
// one unit either side, so a constant sample still shows as one bar.
SampleHistogram sampleHistogram(std::span<const double> values, ValueRange range, int bins);

}  // namespace ferrolith
