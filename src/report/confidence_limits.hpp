#pragma once

#include "simd/scalar_math.hpp"

namespace ferrolith {

struct ConfidenceLimits {
    double lower = 0.0;
    double upper = 0.0;
};

// The report's 95% confidence limits of the safe fraction p over T samples: p -+ 1.96 x the
// binomial standard error, the root taken once for each limit, not clipped to 0 to 1.
inline ConfidenceLimits safeFractionLimits(double p, double T) {
    ConfidenceLimits limits;
    limits.upper = math::sqrt(((1 - p) * p) / T) * 1.96 + p;
    limits.lower = p - math::sqrt(((1 - p) * p) / T) * 1.96;
    return limits;
}

}  // namespace ferrolith
