#include "analysis/law_range.hpp"

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <cmath>

#include "analysis/design_gamma.hpp"
#include "model/distribution_formulas.hpp"

namespace ferrolith {

namespace {

constexpr double lowerProbability = 0.001;
constexpr double upperProbability = 0.999;

// The range of a law that is a monotone function of one quantile: value(p) for p = 0.1% and
// 99.9%, whichever way the function runs.
template <class Value>
LawRange monotoneRange(Value value) {
    const double first = value(lowerProbability);
    const double last = value(upperProbability);
    return {value(0.5), std::min(first, last), std::max(first, last)};
}

double normalQuantile(double p) {
    return boost::math::quantile(boost::math::normal_distribution<double>(), p);
}

// The sampler's Normal, Log-Normal and Poisson are its normal value passed through the branch.
LawRange fromNormalRange(Branch branch, double a, double b) {
    return monotoneRange([&](double p) {
        const double z = normalQuantile(p);
        return formulas::fromNormal(branch, a, b,
                                    [z](double mean, double sd) { return mean + sd * z; });
    });
}

bool isNumber(const LawRange& r) {
    return !std::isnan(r.median) && !std::isnan(r.lower) && !std::isnan(r.upper);
}

}  // namespace

LawRange normalRange(double a, double b) { return fromNormalRange(Branch::Normal, a, b); }

std::optional<LawRange> drawnRange(Branch branch, double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return std::nullopt;
    LawRange range;
    switch (branch) {
        case Branch::Poisson:
            if (formulas::poissonMeanIsFaulty(a)) return std::nullopt;
            range = fromNormalRange(branch, a, b);
            break;
        case Branch::Gumbel:
            range = monotoneRange([&](double p) { return formulas::gumbelValue(a, b, p); });
            break;
        case Branch::Gamma:
            if (a == 0.0) return std::nullopt;
            range = monotoneRange([&](double p) { return designGammaQuantile(b, p) / a; });
            break;
        case Branch::Normal:
        case Branch::LogNormal:
            range = fromNormalRange(branch, a, b);
            break;
    }
    if (!isNumber(range)) return std::nullopt;
    return range;
}

}  // namespace ferrolith
