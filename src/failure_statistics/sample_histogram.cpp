#include "failure_statistics/sample_histogram.hpp"

#include <algorithm>
#include <cmath>

namespace ferrolith {

ValueRange finiteRange(std::initializer_list<std::span<const double>> sets) {
    bool any = false;
    ValueRange range;
    for (std::span<const double> set : sets) {
        for (double v : set) {
            if (!std::isfinite(v)) continue;
            range.low = any ? std::min(range.low, v) : v;
            range.high = any ? std::max(range.high, v) : v;
            any = true;
        }
    }
    return range;
}

SampleHistogram sampleHistogram(std::span<const double> values, ValueRange range, int bins) {
    if (!(range.high > range.low)) range = {range.low - 1, range.high + 1};
    SampleHistogram h;
    h.low = range.low;
    h.width = (range.high - range.low) / bins;
    h.counts.assign(static_cast<std::size_t>(bins), 0);
    for (double v : values) {
        if (!std::isfinite(v)) {
            ++h.notFinite;
            continue;
        }
        if (v < range.low || v > range.high) continue;
        const auto bin = static_cast<std::int64_t>((v - range.low) / h.width);
        ++h.counts[static_cast<std::size_t>(std::clamp<std::int64_t>(bin, 0, bins - 1))];
    }
    return h;
}

}  // namespace ferrolith
