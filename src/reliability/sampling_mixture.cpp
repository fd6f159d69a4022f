#include "reliability/sampling_mixture.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

namespace {

// Phi(-b) is a normal double up to here.
constexpr double directTail = 37.0;

}  // namespace

double logUpperTail(double b) {
    if (b < directTail) return std::log(normalCdf(-b));
    // Mills' ratio: Phi(-b) = phi(b) / b (1 - 1/b^2 + 3/b^4 - 15/b^6 ...); the next term, 105/b^8,
    // is below 1e-10 here.
    const double r = 1.0 / (b * b);
    return -0.5 * b * b - std::log(b) - 0.5 * std::log(2.0 * std::numbers::pi) +
           std::log1p(r * (-1.0 + r * (3.0 - 15.0 * r)));
}

SamplingMixture::SamplingMixture(const std::vector<DesignPoint>& points) {
    // Relative to the nearest point's tail, so that none underflows.
    const double nearest = logUpperTail(points.front().beta);
    double total = 0.0;
    for (const DesignPoint& p : points) {
        centres_.push_back(p.point);
        double squares = 0.0;
        for (double c : p.point) squares += c * c;
        halfSquares_.push_back(0.5 * squares);
        logWeights_.push_back(logUpperTail(p.beta) - nearest);
        total += std::exp(logWeights_.back());
    }
    const double logTotal = std::log(total);
    double sum = 0.0;
    for (double& w : logWeights_) {
        w -= logTotal;
        sum += std::exp(w);
        cumulative_.push_back(sum);
    }
}

double SamplingMixture::componentWeight(std::size_t k) const { return std::exp(logWeights_[k]); }

void SamplingMixture::draw(NormalStream& normals, std::span<double> z) const {
    std::size_t k = 0;
    if (size() > 1) {
        const double u = normals.uniform() * cumulative_.back();
        k = static_cast<std::size_t>(
            std::upper_bound(cumulative_.begin(), cumulative_.end() - 1, u) - cumulative_.begin());
    }
    const std::vector<double>& centre = centres_[k];
    for (std::size_t i = 0; i < z.size(); ++i) z[i] = centre[i] + normals.next();
}

double SamplingMixture::weight(std::span<const double> z) const {
    // ln (w_k phi(z - u_k) / phi(z)) = ln w_k + z . u_k - |u_k|^2 / 2, summed as
    // exp(largest) sum exp(term - largest) with the largest so far.
    double largest = 0.0, sum = 0.0;
    for (std::size_t k = 0; k < size(); ++k) {
        double shift = 0.0;
        for (std::size_t i = 0; i < z.size(); ++i) shift += z[i] * centres_[k][i];
        const double term = logWeights_[k] + shift - halfSquares_[k];
        if (k == 0 || term > largest) {
            sum = (k == 0 ? 0.0 : sum * std::exp(largest - term)) + 1.0;
            largest = term;
        } else {
            sum += std::exp(term - largest);
        }
    }
    return std::exp(-(largest + std::log(sum)));
}

}  // namespace ferrolith::reliability
