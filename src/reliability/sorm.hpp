#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "reliability/form.hpp"

namespace ferrolith::reliability {

struct SormOptions {
    double hessianStep = 1e-3;  // of the second differences, in the standard normal space
};

// A second-order failure probability from FORM's beta and the principal curvatures.
struct CurvatureCorrection {
    bool defined = false;
    double failureProbability = std::numeric_limits<double>::quiet_NaN();
    double beta = std::numeric_limits<double>::quiet_NaN();  // -Phi^-1(Pf)
    // When not defined: the curvature that makes a factor 1 + c kappa not positive, in one line.
    std::string message;
};

// Breitung: Pf = Phi(-beta) prod (1 + beta kappa_i)^(-1/2). For a negative beta, where the
// origin fails, the formula is applied to the safe side: Pf = 1 - Phi(beta) prod (1 + beta
// kappa_i)^(-1/2).
CurvatureCorrection breitung(double beta, std::span<const double> curvatures);

// Hohenbichler-Rackwitz: Pf = Phi(-beta) prod (1 + psi(beta) kappa_i)^(-1/2), psi(b) = phi(b) /
// Phi(-b). For a negative beta: Pf = 1 - Phi(beta) prod (1 - psi(-beta) kappa_i)^(-1/2).
CurvatureCorrection hohenbichlerRackwitz(double beta, std::span<const double> curvatures);

struct SormResult {
    std::optional<InputFault> fault;  // faulty data ended the method
    std::string message;              // set when there are no curvatures: why
    // The n - 1 principal curvatures at the design point, ascending; positive where the limit
    // state bends away from the origin.
    std::vector<double> curvatures;
    CurvatureCorrection breitung;
    CurvatureCorrection hohenbichlerRackwitz;
    std::int64_t evaluations = 0;  // of the limit state, FORM's not included

    // SORM's answer as the results give it: Hohenbichler-Rackwitz's, Breitung's where that is
    // undefined.
    const CurvatureCorrection& estimate() const {
        return hohenbichlerRackwitz.defined ? hohenbichlerRackwitz : breitung;
    }
};

// The curvatures of g at FORM's design point: the Hessian of g by second differences in an
// orthonormal basis whose last vector is alpha, divided by |grad g|, without alpha's row and
// column; its eigenvalues are the principal curvatures.
SormResult sorm(const LimitStateFunction& g, const FormResult& form,
                const SormOptions& options = {});

}  // namespace ferrolith::reliability
