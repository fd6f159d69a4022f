#pragma once

#include <cstdint>

namespace ferrolith {

// The normal quantile of a two-sided 95% interval, to double precision.
inline constexpr double interval95Z = 1.959963984540054;

struct ProbabilityInterval {
    double lower = 0.0;
    double upper = 0.0;
};

// The 95% Wilson score interval of a failure probability from failures out of samples
// (0 <= failures <= samples, samples > 0). Unlike the normal approximation it keeps a width when
// no sample fails: the upper bound is then z^2 / (samples + z^2).
ProbabilityInterval wilsonInterval(std::int64_t failures, std::int64_t samples);

}  // namespace ferrolith
