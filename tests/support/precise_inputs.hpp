#pragma once

#include <boost/math/distributions/normal.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <vector>

#include "model/branch.hpp"

// Each law's value at standard normal coordinates by the sampler's own formula, worked to 50
// digits: every uniform Phi(z) keeps its digits however near 1 it is, so the naive formulas are a
// reference for the methods' double forms.
namespace ferrolith::test {

using Precise = boost::multiprecision::cpp_bin_float_50;

inline Precise preciseUniform(const Precise& z) {
    return boost::math::cdf(boost::math::normal_distribution<Precise>(), z);
}

inline Precise preciseInput(Branch branch, double a, double b, const std::vector<Precise>& z) {
    const Precise pa(a), pb(b);
    switch (branch) {
        case Branch::Normal:
            return pa + pb * z[0];
        case Branch::LogNormal:
            return exp(pa + pb * z[0]);
        case Branch::Poisson:
            return pa - 0.5 + sqrt(pb) * z[0];
        case Branch::Gumbel:
            return pa - log(log(1 / preciseUniform(z[0]))) / pb;
        case Branch::Gamma: {
            const Precise p1 = pow(preciseUniform(z[0]), 1 / pb);
            const Precise p2 = pow(preciseUniform(z[1]), 1 / (1 - pb));
            return p1 / pa * -log(preciseUniform(z[2])) / (p1 + p2);
        }
    }
    return 0;
}

// The derivatives of preciseInput in each coordinate, by central differences far below double's
// resolution.
inline std::vector<double> preciseInputGradient(Branch branch, double a, double b,
                                                const std::vector<Precise>& z) {
    const Precise h("1e-20");
    std::vector<double> gradient;
    for (std::size_t i = 0; i < z.size(); ++i) {
        std::vector<Precise> up = z, down = z;
        up[i] += h;
        down[i] -= h;
        const Precise d =
            (preciseInput(branch, a, b, up) - preciseInput(branch, a, b, down)) / (2 * h);
        gradient.push_back(static_cast<double>(d));
    }
    return gradient;
}

}  // namespace ferrolith::test
