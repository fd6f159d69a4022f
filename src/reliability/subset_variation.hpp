#pragma once

#include <cstdint>
#include <vector>

namespace ferrolith::reliability {

// A level's conditional probability P_i with its coefficient of variation.
struct LevelVariation {
    double probability = 0.0;
    double variation = 0.0;
    double correlation = 0.0;  // gamma_i: 0 for samples drawn directly
};

// Of a level whose samples drawn directly are independent: sqrt((1 - P) / (N P)).
LevelVariation directVariation(const std::vector<char>& below);

// Of a level of chains (Au and Beck 2001, eqs. 27-29): below holds, chain after chain, whether each
// of a chain's states lies at or below the threshold. The states of a chain are correlated, which
// widens the spread by 1 + gamma, gamma = 2 sum over k of (1 - k / states) rho(k), rho(k) the
// correlation of states k apart estimated over every chain.
LevelVariation chainVariation(const std::vector<char>& below, std::int64_t states);

}  // namespace ferrolith::reliability
