#include "reliability/standard_normal.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace ferrolith::reliability {

namespace {

constexpr double inverseSqrt2 = 1.0 / std::numbers::sqrt2;

}  // namespace

double normalCdf(double z) { return 0.5 * std::erfc(-z * inverseSqrt2); }

double normalDensity(double z) {
    return std::exp(-0.5 * z * z) / std::sqrt(2.0 * std::numbers::pi);
}

double logNormalCdf(double z) {
    constexpr double smallest = std::numeric_limits<double>::min();
    if (z > 0) return std::log1p(-std::max(normalCdf(-z), smallest));
    return std::log(std::max(normalCdf(z), smallest));
}

}  // namespace ferrolith::reliability
