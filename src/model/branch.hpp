#pragma once

#include <string_view>
#include <type_traits>

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

// Calls f with the branch as a compile-time constant, so that a loop inside f is compiled once
// for each branch instead of choosing the branch at every pass; returns what f returns.
template <class F>
decltype(auto) withBranch(Branch b, F&& f) {
    switch (b) {
        case Branch::LogNormal:
            return f(std::integral_constant<Branch, Branch::LogNormal>{});
        case Branch::Gamma:
            return f(std::integral_constant<Branch, Branch::Gamma>{});
        case Branch::Gumbel:
            return f(std::integral_constant<Branch, Branch::Gumbel>{});
        case Branch::Poisson:
            return f(std::integral_constant<Branch, Branch::Poisson>{});
        case Branch::Normal:
            break;
    }
    return f(std::integral_constant<Branch, Branch::Normal>{});
}

}  // namespace ferrolith
