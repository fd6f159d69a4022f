#pragma once

#include <Eigen/Dense>
#include <vector>

namespace ferrolith::reliability {

// A probability with the half-width of its error estimate (three standard errors of the
// randomised quasi-Monte Carlo estimate; 0 where the figure is exact).
struct ProbabilityEstimate {
    double probability = 0.0;
    double error = 0.0;
};

struct MultinormalOptions {
    double relativeTolerance = 1e-5;  // the error sought, relative to the probability
    int shifts = 12;                  // random shifts of the lattice
    int firstPoints = 256;            // lattice points a shift, doubled until the tolerance holds
    int mostPoints = 1 << 17;
};

// P(Y_k > b_k for some k) for standard normals Y of correlation matrix r (unit diagonal,
// positive semidefinite): 1 - Phi_m(b; r), the first-order probability of the union of the
// half-spaces alpha_k . u > beta_k when r_jk = alpha_j . alpha_k. It is summed from the disjoint
// terms P(Y_k > b_k, Y_j <= b_j for j < k); each term is integrated by Genz's separation of
// variables with Y_k first, its upper tail Phi(-b_k) taken exactly, so that a term stays
// relatively accurate however far in the tail. With one variable it is Phi(-b_1) exactly. Give
// the nearest (smallest b) first: the first term is exact and the others are its corrections.
// Deterministic: the lattice's shifts come from a fixed stream.
ProbabilityEstimate unionProbability(const std::vector<double>& b, const Eigen::MatrixXd& r,
                                     const MultinormalOptions& options = {});

}  // namespace ferrolith::reliability
