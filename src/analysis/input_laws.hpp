#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/characteristic_value.hpp"
#include "model/study.hpp"

namespace ferrolith {

// One input's law as the design draws it: the text as typed, what its two numbers are for the
// distribution, and the moments and characteristic value of what is drawn (the design's Gamma and
// the Poisson's normal approximation included), not of what the numbers name.
struct InputLaw {
    InputVariable variable = InputVariable::BeamLength;
    std::string typed;         // the parameter text exactly as typed
    std::string distribution;  // the law drawn: "Normal" for none chosen or "Others to follow"
    // The numbers read with their meaning: "mean 90, sd 3", "rate 4, shape 0.05"; empty when the
    // text does not convert.
    std::string parameters;
    std::optional<double> mean, standardDeviation, variation;  // none without a law
    std::optional<Characteristic> characteristic;
};

// The seven inputs' laws, in input order.
std::array<InputLaw, inputVariableCount> inputLaws(const Study& study);

// `typed "90,3": mean 90, sd 3`: the text in quotes, so that its comma reads as the separator of
// two numbers and not as a decimal comma, then the numbers it gives; the text alone when it does
// not convert.
std::string typedLawText(const InputLaw& law);

}  // namespace ferrolith
