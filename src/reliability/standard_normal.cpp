#include "reliability/standard_normal.hpp"

#include <algorithm>
#include <boost/math/special_functions/erf.hpp>
#include <cmath>
#include <limits>
#include <numbers>

namespace ferrolith::reliability {

namespace {

// Boost would otherwise work in long double; double precision is what is asked for.
using DoublePolicy = boost::math::policies::policy<boost::math::policies::promote_double<false>>;

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

double normalFromBits(std::uint64_t bits) {
    const std::uint64_t k = (bits >> 11) & ((std::uint64_t{1} << 52) - 1);
    const double p = static_cast<double>(2 * k + 1) * 0x1p-54;  // exact: 2k + 1 < 2^53
    // Phi^-1(p) = -sqrt(2) erfc^-1(2p) for the lower tail; the top bit mirrors it.
    const double magnitude = std::numbers::sqrt2 * boost::math::erfc_inv(2.0 * p, DoublePolicy());
    return (bits >> 63) != 0 ? magnitude : -magnitude;
}

}  // namespace ferrolith::reliability
