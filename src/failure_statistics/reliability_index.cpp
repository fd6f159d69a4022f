#include "failure_statistics/reliability_index.hpp"

#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <limits>

namespace ferrolith {

double normalQuantile(double p) {
    constexpr double infinity = std::numeric_limits<double>::infinity();
    if (std::isnan(p)) return p;
    // Boost rejects the ends of the range; the quantile's limits there are exact.
    if (p <= 0.0) return -infinity;
    if (p >= 1.0) return infinity;
    return boost::math::quantile(boost::math::normal_distribution<double>(), p);
}

double reliabilityIndex(double failureProbability) {
    const double beta = -normalQuantile(failureProbability);
    return beta == 0.0 ? 0.0 : beta;  // at Pf 0.5 the negated quantile is -0
}

}  // namespace ferrolith
