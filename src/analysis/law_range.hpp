#pragma once

#include <optional>

#include "model/branch.hpp"

namespace ferrolith {

// Where the values of a law lie: its median and its 0.1% and 99.9% quantiles.
struct LawRange {
    double median = 0.0;
    double lower = 0.0;
    double upper = 0.0;
};

// The quantiles of what the design's sampler draws for the branch with the parameters a and b
// (model/distribution_formulas.hpp); none where it draws no law: a Poisson mean of 10 or less
// (faulty data), a Gamma rate of 0, parameters that are not finite or that give NaN.
std::optional<LawRange> drawnRange(Branch branch, double a, double b);

// The same parameters read as a Normal: mean a, standard deviation b.
LawRange normalRange(double a, double b);

}  // namespace ferrolith
