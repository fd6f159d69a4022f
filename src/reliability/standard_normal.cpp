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

double uniformAt(double z) {
    constexpr double smallest = std::numeric_limits<double>::min();
    constexpr double largest = 1.0 - std::numeric_limits<double>::epsilon() / 2;
    return std::clamp(normalCdf(z), smallest, largest);
}

}  // namespace ferrolith::reliability
