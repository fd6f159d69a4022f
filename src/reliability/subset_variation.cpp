#include "reliability/subset_variation.hpp"

#include <algorithm>
#include <cmath>

namespace ferrolith::reliability {

namespace {

double fraction(const std::vector<char>& below) {
    return static_cast<double>(std::count(below.begin(), below.end(), char{1})) /
           static_cast<double>(below.size());
}

// The coefficient of variation of a fraction p of n samples, widened by 1 + gamma; 0 when every
// sample is below (a variance of 0), infinite when none is.
double widened(double p, double n, double gamma) {
    return std::sqrt((1.0 - p) / (n * p) * std::max(0.0, 1.0 + gamma));
}

// R(k): the covariance of the indicators of states k apart, over every chain.
double covariance(const std::vector<char>& below, std::int64_t states, std::int64_t k, double p) {
    const std::int64_t chains = static_cast<std::int64_t>(below.size()) / states;
    std::int64_t both = 0;
    for (std::int64_t c = 0; c < chains; ++c) {
        const char* chain = below.data() + c * states;
        for (std::int64_t l = 0; l + k < states; ++l) both += chain[l] & chain[l + k];
    }
    return static_cast<double>(both) / static_cast<double>((states - k) * chains) - p * p;
}

}  // namespace

LevelVariation directVariation(const std::vector<char>& below) {
    const double p = fraction(below);
    return {p, widened(p, static_cast<double>(below.size()), 0.0), 0.0};
}

LevelVariation chainVariation(const std::vector<char>& below, std::int64_t states) {
    const double p = fraction(below);
    const double r0 = p * (1.0 - p);
    double gamma = 0.0;
    // With every state below, or none, the indicators do not vary: no correlation to measure.
    if (r0 > 0.0)
        for (std::int64_t k = 1; k < states; ++k)
            gamma += 2.0 * (1.0 - static_cast<double>(k) / static_cast<double>(states)) *
                     covariance(below, states, k, p) / r0;
    return {p, widened(p, static_cast<double>(below.size()), gamma), gamma};
}

}  // namespace ferrolith::reliability
