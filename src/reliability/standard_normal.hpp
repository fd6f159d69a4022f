#pragma once

namespace ferrolith::reliability {

// Phi(z), from erfc so that both tails keep their relative accuracy.
double normalCdf(double z);

// phi(z), the standard normal density.
double normalDensity(double z);

// Phi(z) kept strictly inside (0, 1), as every uniform the sampler draws: the formulas that take
// logarithms of a uniform or of its reciprocal stay finite at any point.
double uniformAt(double z);

}  // namespace ferrolith::reliability
