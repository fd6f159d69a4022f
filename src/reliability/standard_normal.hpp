#pragma once

namespace ferrolith::reliability {

// Phi(z), from erfc so that both tails keep their relative accuracy.
double normalCdf(double z);

// phi(z), the standard normal density.
double normalDensity(double z);

// ln Phi(z), from the tail z is in: log1p(-Phi(-z)) above 0 keeps the digits that 1 - Phi(z)
// would lose. Phi is kept strictly inside (0, 1), as every uniform the sampler draws, so the
// formulas that take the logarithm of the result stay finite at any point.
double logNormalCdf(double z);

// ln Phi(z) without that bound: below z = -30 from the asymptotic series of Mills' ratio.
double fullLogNormalCdf(double z);

// The z with ln Phi(z) = logP (logP <= 0), from the tail it lies in: the lower tail from logP
// itself, the upper from 1 - Phi(z) = -expm1(logP), so neither rounds to 0 or 1 on the way.
double normalQuantileOfLog(double logP);

}  // namespace ferrolith::reliability
