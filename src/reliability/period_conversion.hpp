#pragma once

namespace ferrolith::reliability {

// A law of maxima over a period, F, carried to n times that period: the maximum of n independent
// values has the law F^n (n below 1 goes the other way, to a part of the period).

// The standard normal coordinate w that draws from F^n what z draws from F:
// Phi(w) = Phi(z)^(1/n), worked from ln Phi so that both tails keep their digits.
double maximaCoordinate(double z, double n);

// A Gumbel law's location over n periods. The design's Gumbel has F(x) = exp(-exp(-b (x - a))),
// so F^n is the same law with a moved by ln(n) / b.
double gumbelLocationOver(double a, double b, double n);

}  // namespace ferrolith::reliability
