#pragma once

#include <cstdint>

namespace ferrolith::reliability {

// Phi(z), from erfc so that both tails keep their relative accuracy.
double normalCdf(double z);

// phi(z), the standard normal density.
double normalDensity(double z);

// Phi(z) kept strictly inside (0, 1), as every uniform the sampler draws: the formulas that take
// logarithms of a uniform or of its reciprocal stay finite at any point.
double uniformAt(double z);

// The standard normal of 64 random bits by the inverse distribution function: the top bit picks
// the side, the next 52 bits a tail probability p = (2k + 1) 2^-54 in (0, 1/2), so both tails are
// exact and reach |z| of about 8.3.
double normalFromBits(std::uint64_t bits);

}  // namespace ferrolith::reliability
