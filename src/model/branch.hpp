#pragma once

#include <string_view>

namespace ferrolith {

// The formula a variable is drawn with, chosen by its distribution name.
enum class Branch { Normal, LogNormal, Gamma, Gumbel, Poisson };

// Exact, case-sensitive names; any other text draws from the Normal distribution.
constexpr Branch branchFor(std::string_view distName) {
    if (distName == "Log-Normal") return Branch::LogNormal;
    if (distName == "Gamma") return Branch::Gamma;
    if (distName == "Gumbel") return Branch::Gumbel;
    if (distName == "Poisson") return Branch::Poisson;
    return Branch::Normal;
}

// Whether a branch takes one systemRandom number to pick from its Box-Muller pair.
constexpr bool usesBoxMuller(Branch b) {
    return b == Branch::Normal || b == Branch::LogNormal || b == Branch::Poisson;
}

}  // namespace ferrolith
