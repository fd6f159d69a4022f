#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "reliability/form.hpp"
#include "reliability/normal_stream.hpp"

namespace ferrolith::reliability {

// ln Phi(-b) for any b: Phi(-b) itself underflows past b = 37.
double logUpperTail(double b);

// The density importance sampling draws from: unit normals centred on design points u_k, the k-th
// weighted w_k = Phi(-beta_k) / sum_j Phi(-beta_j), so that each point draws about its share of
// the failure probability. With one point it is the unit normal shifted to it.
class SamplingMixture {
  public:
    // points: at least one, of one dimension, nearest first.
    explicit SamplingMixture(const std::vector<DesignPoint>& points);

    std::size_t dimension() const { return centres_.front().size(); }
    std::size_t size() const { return centres_.size(); }
    double componentWeight(std::size_t k) const;

    // A sample into z: a component chosen by a uniform of normals (none is drawn with one
    // component), then a unit normal around its centre.
    void draw(NormalStream& normals, std::span<double> z) const;

    // phi(z) / sum_k w_k phi(z - u_k), from the logarithms of the terms relative to the largest,
    // so that no term overflows however far z lies.
    double weight(std::span<const double> z) const;

  private:
    std::vector<std::vector<double>> centres_;
    std::vector<double> halfSquares_;  // |u_k|^2 / 2
    std::vector<double> logWeights_;   // ln w_k
    std::vector<double> cumulative_;   // w_0 + ... + w_k
};

}  // namespace ferrolith::reliability
