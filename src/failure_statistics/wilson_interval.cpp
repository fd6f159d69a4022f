#include "failure_statistics/wilson_interval.hpp"

#include <algorithm>
#include <cmath>

namespace ferrolith {

ProbabilityInterval wilsonInterval(std::int64_t failures, std::int64_t samples) {
    const double x = static_cast<double>(failures);
    const double n = static_cast<double>(samples);
    const double z = interval95Z;
    const double zz = z * z;
    // (x + z^2/2 -+ z sqrt(x (n - x) / n + z^2 / 4)) / (n + z^2): the form without p = x / n
    // keeps the bounds exact at the ends.
    const double centre = x + zz / 2;
    const double half = z * std::sqrt(x * (n - x) / n + zz / 4);
    ProbabilityInterval interval{(centre - half) / (n + zz), (centre + half) / (n + zz)};
    // At the ends the square root gives z/2 only to rounding; the bounds are exactly 0 and 1.
    if (failures == 0) interval.lower = 0.0;
    if (failures == samples) interval.upper = 1.0;
    interval.lower = std::clamp(interval.lower, 0.0, 1.0);
    interval.upper = std::clamp(interval.upper, 0.0, 1.0);
    return interval;
}

}  // namespace ferrolith
