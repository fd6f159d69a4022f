#include "reliability/standard_normal.hpp"

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>
#include <numbers>

namespace ferrolith::reliability {

namespace {

constexpr double inverseSqrt2 = 1.0 / std::numbers::sqrt2;

// Below this z the asymptotic series gives ln Phi to 2e-12; above it erfc does.
constexpr double seriesLimit = -30.0;
// ln Phi(seriesLimit), rounded up: below it the quantile is found on the series.
constexpr double seriesLogLimit = -454.0;

// ln Phi(z) = ln phi(z) - ln(-z) + ln(1 - 1/z^2 + 3/z^4 - 15/z^6 + 105/z^8), for z far below 0.
double seriesLogNormalCdf(double z) {
    const double s = 1.0 / (z * z);
    const double series = s * (-1.0 + s * (3.0 + s * (-15.0 + s * 105.0)));
    return -0.5 * z * z - std::log(-z) - 0.5 * std::log(2.0 * std::numbers::pi) +
           std::log1p(series);
}

// The z far below 0 with ln Phi(z) = logP: Newton's steps on the series, its slope -z - 1/z.
double seriesQuantile(double logP) {
    double z = -std::sqrt(-2.0 * logP);
    for (int i = 0; i < 100; ++i) {
        const double step = (seriesLogNormalCdf(z) - logP) / (-z - 1.0 / z);
        z -= step;
        if (std::abs(step) <= 1e-15 * std::abs(z)) break;
    }
    return z;
}

// The z with ln Phi(z) = logP at or below ln 0.5.
double lowerQuantileOfLog(double logP) {
    if (logP < seriesLogLimit) return seriesQuantile(logP);
    return boost::math::quantile(boost::math::normal_distribution<double>(), std::exp(logP));
}

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

namespace ferrolith::reliability {

double fullLogNormalCdf(double z) {
    return z < seriesLimit ? seriesLogNormalCdf(z) : logNormalCdf(z);
}

double normalQuantileOfLog(double logP) {
    if (logP <= -std::numbers::ln2) return lowerQuantileOfLog(logP);
    // 1 - Phi(z) = Phi(-z), kept above 0: it underflows only beyond z = 38.
    const double upper = std::max(-std::expm1(logP), std::numeric_limits<double>::denorm_min());
    return -lowerQuantileOfLog(std::log(upper));
}

}  // namespace ferrolith::reliability
