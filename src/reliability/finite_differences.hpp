#pragma once

#include <Eigen/Dense>
#include <cstdint>

#include "reliability/limit_state_function.hpp"

namespace ferrolith::reliability {

// A limit-state function on Eigen vectors that counts its evaluations.
class CountedLimitState {
  public:
    explicit CountedLimitState(const LimitStateFunction& f) : f_(f) {}

    double operator()(const Eigen::VectorXd& z) {
        ++evaluations_;
        return f_.value(std::span<const double>(z.data(), static_cast<std::size_t>(z.size())));
    }
    int dimension() const { return f_.dimension; }
    std::int64_t evaluations() const { return evaluations_; }

  private:
    const LimitStateFunction& f_;
    std::int64_t evaluations_ = 0;
};

// The gradient of g at z by central differences of the given step (2 n evaluations).
Eigen::VectorXd centralGradient(CountedLimitState& g, const Eigen::VectorXd& z, double step);

// The matrix of second derivatives of g at z along the given orthonormal directions (the columns),
// by central differences of the given step; gz is g(z). Symmetric by construction.
Eigen::MatrixXd directionalHessian(CountedLimitState& g, const Eigen::VectorXd& z, double gz,
                                   const Eigen::MatrixXd& directions, double step);

}  // namespace ferrolith::reliability
