#pragma once

#include "model/branch.hpp"
#include "model/distribution_formulas.hpp"
#include "reliability/period_conversion.hpp"

namespace ferrolith::reliability {

// One input's draw from its standard normal coordinates z[0 .. coordinateCount(branch)), by the
// sampler's formulas with the logarithms of their uniforms taken from the tail each is in, over n
// of its law's periods. Written once for a double and for vector lanes: Tails gives the functions
// of the normal's tails for T (logNormalCdf, uniformPower, maximaCoordinate), the formulas the
// rest. A Gamma power that overflows sets overflow; a Poisson mean of 10 or less, poissonFault.
template <class Tails, class T>
formulas::VariableDraw<T> inputFromNormals(Branch branch, double a, double b, double n,
                                           const T* z) {
    switch (branch) {
        case Branch::Gamma: {
            const auto e = formulas::gammaExponents<T>(b);
            return formulas::gammaFromPowers(a, e, Tails::uniformPower(z[0], e.e1),
                                             Tails::uniformPower(z[1], e.e2),
                                             -Tails::logNormalCdf(z[2]));
        }
        case Branch::Gumbel:
            return {formulas::gumbelFromMinusLog(T(gumbelLocationOver(a, b, n)), T(b),
                                                 -Tails::logNormalCdf(z[0])),
                    formulas::noLanes<T>(), false};
        default:
            break;
    }
    const auto fromCoordinate = [&](const T& w) -> formulas::VariableDraw<T> {
        return {formulas::fromNormal(branch, T(a), T(b),
                                     [&w](const T& mean, const T& sd) { return sd * w + mean; }),
                formulas::noLanes<T>(),
                branch == Branch::Poisson && formulas::poissonMeanIsFaulty(a)};
    };
    // Over the law's own period the coordinate itself, not a copy of it.
    if (n == 1.0) return fromCoordinate(z[0]);
    return fromCoordinate(Tails::maximaCoordinate(z[0], n));
}

}  // namespace ferrolith::reliability
