#pragma once

#include "model/branch.hpp"

namespace ferrolith {

// The p-quantile (0 < p < 1), the mean and the standard deviation of what the design's sampler
// draws for the branch with the parameters a and b (model/distribution_formulas.hpp): Boost.Math's
// Normal, Log-Normal and extreme value (Gumbel, scale 1 / b) laws, the Poisson's normal
// approximation (mean a - 0.5, variance b), the design's Gamma by designGammaQuantile. NaN where
// the parameters give no law.
double lawQuantile(Branch branch, double a, double b, double p);
double lawMean(Branch branch, double a, double b);
double lawStandardDeviation(Branch branch, double a, double b);

}  // namespace ferrolith
