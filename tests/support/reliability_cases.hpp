#pragma once

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "model/parse_parameter.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/limit_state_function.hpp"

namespace ferrolith::test {

// The window's default parameter texts, all Normal, with any changes given as
// {input, parameter text, distribution name}.
struct InputChange {
    InputVariable variable;
    std::string text;
    std::string distName = "Normal";
};

inline reliability::BeamInputs beamInputs(const std::vector<InputChange>& changes = {}) {
    std::array<std::string, inputVariableCount> texts;
    std::array<std::string, inputVariableCount> choices;
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        texts[i] = std::string(inputVariables[i].defaultText);
    for (const InputChange& c : changes) {
        texts[static_cast<std::size_t>(c.variable)] = c.text;
        choices[static_cast<std::size_t>(c.variable)] = c.distName;
    }
    ParameterArray a{}, b{};
    NameArray names;
    readInputs(texts, choices, a, b, names);
    return reliability::BeamInputs(a, b, names);
}

// The rare case: AllowableStress "90,3", every other input at its default, all Normal.
inline reliability::BeamInputs rareBeamInputs() {
    return beamInputs({{InputVariable::AllowableStress, "90,3"}});
}

// g(z) = scale (beta - a.z / |a|): a hyperplane at distance beta, failing on the side a points to.
inline reliability::LimitStateFunction linearLimitState(double beta, std::vector<double> a,
                                                        double scale = 1.0) {
    const double norm = std::sqrt(std::inner_product(a.begin(), a.end(), a.begin(), 0.0));
    for (double& x : a) x /= norm;
    return {static_cast<int>(a.size()), [beta, a, scale](std::span<const double> z) {
                return scale * (beta - std::inner_product(a.begin(), a.end(), z.begin(), 0.0));
            }};
}

}  // namespace ferrolith::test
