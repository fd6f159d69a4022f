#pragma once

namespace ferrolith {

// Phi^-1(p), the standard normal quantile, for p in [0, 1]: -infinity at 0, +infinity at 1.
double normalQuantile(double p);

// The reliability index beta = -Phi^-1(Pf): +infinity when nothing fails, +0 at Pf 0.5.
double reliabilityIndex(double failureProbability);

}  // namespace ferrolith
