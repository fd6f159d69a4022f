#include "analysis/design_gamma.hpp"

#include <algorithm>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <boost/math/tools/roots.hpp>
#include <cmath>
#include <limits>

#include "model/distribution_formulas.hpp"

namespace ferrolith {

namespace {

using boost::math::quadrature::gauss_kronrod;

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double tolerance = 1e-10;

// E[exp(-k u^beta)] over u uniform on (0, 1), k given by its logarithm.
double powerLaplace(double logK, double beta) {
    if (std::isinf(beta)) return 1.0;  // u^inf is 0
    if (beta > 0.0) {
        // Closed form: Gamma(1 + s) k^-s P(s, k) with s = 1 / beta.
        const double s = 1.0 / beta;
        if (logK < -40.0) return 1.0;  // k below 4e-18: the exponent is 1 to within rounding
        const double k = std::exp(std::min(logK, 700.0));
        return std::exp(std::lgamma(1.0 + s) - s * logK) * boost::math::gamma_p(s, k);
    }
    // A negative power has no closed form here: u = e^-v on (0, inf).
    return gauss_kronrod<double, 15>::integrate(
        [&](double v) { return std::exp(-v - std::exp(logK - beta * v)); }, 0.0, infinity, 10,
        tolerance);
}

// P(X <= e^logX) for the rate-1 law: with e3 = -ln u3 exponential, X <= x exactly when
// e3 <= x (1 + p2 / p1), so the probability is 1 - E[exp(-x (1 + p2 / p1))]; u1 = e^-w.
double designGammaCdf(double shape, double logX) {
    const double e1 = 1.0 / shape;
    const double beta = 1.0 / (1.0 - shape);
    const double x = std::exp(logX);
    const double kept = gauss_kronrod<double, 31>::integrate(
        [&](double w) { return std::exp(-w - x) * powerLaplace(logX + w * e1, beta); }, 0.0,
        infinity, 15, tolerance);
    return 1.0 - kept;
}

// E[S^power] of the share S = p1 / (p1 + p2), by quadrature over u1 and u2.
double shareMoment(double shape, int power) {
    const formulas::GammaExponents<double> e = formulas::gammaExponents<double>(shape);
    const auto share = [&](double u1, double u2) {
        const double p1 = std::pow(u1, e.e1);
        return std::pow(p1 / (p1 + std::pow(u2, e.e2)), power);
    };
    return gauss_kronrod<double, 15>::integrate(
        [&](double u1) {
            return gauss_kronrod<double, 15>::integrate([&](double u2) { return share(u1, u2); },
                                                        0.0, 1.0, 10, tolerance);
        },
        0.0, 1.0, 10, tolerance);
}

}  // namespace

double designGammaMean(double shape) { return shareMoment(shape, 1); }

double designGammaStandardDeviation(double shape) {
    const double mean = shareMoment(shape, 1);
    // -ln u3 has second moment 2.
    return std::sqrt(std::max(0.0, 2.0 * shareMoment(shape, 2) - mean * mean));
}

double designGammaQuantile(double shape, double p) {
    if (shape == 0.0) return 0.0;  // u1^inf is 0
    // The quantile's logarithm across the doubles' whole range.
    double low = std::log(std::numeric_limits<double>::denorm_min());
    double high = std::log(std::numeric_limits<double>::max());
    const auto miss = [&](double logX) { return designGammaCdf(shape, logX) - p; };
    if (miss(low) >= 0.0) return 0.0;
    if (miss(high) <= 0.0) return infinity;
    std::uintmax_t iterations = 200;
    const auto [lower, upper] = boost::math::tools::toms748_solve(
        miss, low, high, boost::math::tools::eps_tolerance<double>(40), iterations);
    return std::exp((lower + upper) / 2.0);
}

}  // namespace ferrolith
