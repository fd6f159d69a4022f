#pragma once

namespace ferrolith {

// The p-quantile of what the design draws for Gamma with rate 1 and shape b: p1 / (p1 + p2)
// times -ln u3, with p1 = u1^(1/b) and p2 = u2^(1/(1 - b)). Without Johnk's rejection of
// p1 + p2 > 1 this is not Gamma(b): the fraction is no Beta(b, 1 - b). The figure is exact to
// the quadrature's tolerance (about 1e-10 in probability); the rate a divides it. A shape of 0
// draws 0 and 1 the Exponential; p lies strictly between 0 and 1.
double designGammaQuantile(double shape, double p);

// The mean of the same law: E[p1 / (p1 + p2)], as -ln u3 has mean 1, by quadrature over u1 and u2
// (to about 1e-10).
double designGammaMean(double shape);

// The standard deviation of the same law: with S = p1 / (p1 + p2) and -ln u3 independent, its
// variance is 2 E[S^2] - E[S]^2, E[S^2] by the same quadrature.
double designGammaStandardDeviation(double shape);

}  // namespace ferrolith
