#include "analysis/law_quantile.hpp"

#include <boost/math/distributions/extreme_value.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "analysis/design_gamma.hpp"
#include "model/distribution_formulas.hpp"

namespace ferrolith {

namespace {

namespace bm = boost::math;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Boost refuses parameters that give no law (a scale of 0 or below, a value not finite).
template <class Figure>
double orNan(Figure figure) {
    try {
        return figure();
    } catch (const std::domain_error&) {
        return nan;
    } catch (const std::overflow_error&) {
        return nan;
    }
}

// The sampler's a + b z is one value with b = 0, and the mirror of a + |b| z below 0.
template <class Figure>
double fromNormalLaw(Branch branch, double a, double b, Figure figure) {
    if (b == 0.0)
        return formulas::fromNormal(branch, a, b, [](double mean, double) { return mean; });
    if (branch == Branch::LogNormal)
        return figure(bm::lognormal_distribution<double>(a, std::abs(b)));
    if (branch == Branch::Poisson)
        return figure(bm::normal_distribution<double>(a - 0.5, std::sqrt(b)));
    return figure(bm::normal_distribution<double>(a, std::abs(b)));
}

}  // namespace

double lawQuantile(Branch branch, double a, double b, double p) {
    return orNan([&] {
        switch (branch) {
            case Branch::Gumbel:
                return bm::quantile(bm::extreme_value_distribution<double>(a, 1.0 / b), p);
            case Branch::Gamma:
                return designGammaQuantile(b, p) / a;
            default:
                break;
        }
        return fromNormalLaw(branch, a, b, [p](const auto& law) { return bm::quantile(law, p); });
    });
}

double lawMean(Branch branch, double a, double b) {
    return orNan([&] {
        switch (branch) {
            case Branch::Gumbel:
                return bm::mean(bm::extreme_value_distribution<double>(a, 1.0 / b));
            case Branch::Gamma:
                return designGammaMean(b) / a;
            default:
                break;
        }
        return fromNormalLaw(branch, a, b, [](const auto& law) { return bm::mean(law); });
    });
}

double lawStandardDeviation(Branch branch, double a, double b) {
    return orNan([&] {
        switch (branch) {
            case Branch::Gumbel:
                return bm::standard_deviation(bm::extreme_value_distribution<double>(a, 1.0 / b));
            case Branch::Gamma:
                return designGammaStandardDeviation(b) / std::abs(a);
            default:
                break;
        }
        // One value when b is 0.
        if (b == 0.0) return 0.0;
        return fromNormalLaw(branch, a, b,
                             [](const auto& law) { return bm::standard_deviation(law); });
    });
}

}  // namespace ferrolith
