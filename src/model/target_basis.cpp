#include "model/target_basis.hpp"

#include <algorithm>

namespace ferrolith {

double tableTarget(ReliabilityClass reliabilityClass, ReferencePeriod period) {
    // Rows RC1, RC2, RC3; columns 1 year, 50 years.
    static constexpr double table[3][2] = {{4.2, 3.3}, {4.7, 3.8}, {5.2, 4.3}};
    return table[static_cast<std::size_t>(reliabilityClass)][static_cast<std::size_t>(period)];
}

double TargetBasis::index() const {
    return typed ? typed->index : tableTarget(reliabilityClass, period);
}

bool isLoad(InputVariable variable) {
    return std::find(loadVariables.begin(), loadVariables.end(), variable) != loadVariables.end();
}

bool isFractile(double p) { return p > 0.0 && p < 1.0; }

}  // namespace ferrolith
