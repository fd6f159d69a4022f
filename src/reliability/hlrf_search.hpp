#pragma once

#include <Eigen/Dense>
#include <string>

#include "reliability/finite_differences.hpp"

namespace ferrolith::reliability {

struct SearchSettings {
    int maxIterations = 1000;
    double stepTolerance = 1e-4;  // in the standard normal space
    double valueTolerance = 0.0;  // |g| at the design point, absolute
    double gradientStep = 1e-5;   // of the central differences
    // |g| / |grad g| at or below this also counts as on the limit state: near the origin of a
    // balanced beam valueTolerance can be below the rounding of g itself.
    double resolvedDistance = 0.0;
};

// Where one search from one start ended.
struct SearchOutcome {
    bool converged = false;
    std::string message;  // why not, in one line
    Eigen::VectorXd point;
    double value = 0.0;        // g there
    Eigen::VectorXd gradient;  // of g there
    int iterations = 0;
};

// The improved HL-RF iteration: the HL-RF step towards the linearised limit state, shortened by
// halving until the merit function 1/2 |u|^2 + c |g(u)| falls by the Armijo rule, with
// c = 2 max(|u|, 1) / |grad g| above the |u| / |grad g| that makes the step a descent direction.
// Converged when a full step is below stepTolerance and |g| after it below valueTolerance or at
// most resolvedDistance |grad g|.
SearchOutcome hlrfSearch(CountedLimitState& g, Eigen::VectorXd start, const SearchSettings& s);

}  // namespace ferrolith::reliability
