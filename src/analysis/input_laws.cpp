#include "analysis/input_laws.hpp"

#include <charconv>
#include <cmath>

#include "analysis/analysis_text.hpp"
#include "analysis/law_quantile.hpp"
#include "model/distribution_formulas.hpp"
#include "model/parse_parameter.hpp"

namespace ferrolith {

namespace {

// The shortest text that reads back as x, whatever the locale.
std::string shortest(double x) {
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, x).ptr;
    return std::string(static_cast<const char*>(text), end);
}

std::string parametersText(Branch branch, double a, double b) {
    const auto& names = analysis_text::parameterNames[static_cast<std::size_t>(branch)];
    return std::string(names[0]) + " " + shortest(a) + ", " + names[1] + " " + shortest(b);
}

std::optional<double> finite(double x) {
    return std::isfinite(x) ? std::optional(x) : std::nullopt;
}

InputLaw lawOf(const Study& study, std::size_t i) {
    InputLaw law;
    law.variable = static_cast<InputVariable>(i);
    law.typed = study.parameters[i];
    const Branch branch = branchFor(study.distributions[i]);
    law.distribution = distributionNames[static_cast<std::size_t>(branch)];
    double a = 0.0, b = 0.0;
    try {
        a = parseParameter(1, law.typed);
        b = parseParameter(2, law.typed);
    } catch (const ConversionError&) {
        return law;
    }
    law.parameters = parametersText(branch, a, b);
    // A Poisson mean of 10 or less is faulty data: the design draws nothing.
    if (branch == Branch::Poisson && formulas::poissonMeanIsFaulty(a)) return law;
    law.mean = finite(lawMean(branch, a, b));
    law.standardDeviation = finite(lawStandardDeviation(branch, a, b));
    if (law.mean && law.standardDeviation && *law.mean != 0.0)
        law.variation = *law.standardDeviation / std::abs(*law.mean);
    law.characteristic = characteristicValue(study, law.variable, branch, a, b);
    return law;
}

}  // namespace

std::array<InputLaw, inputVariableCount> inputLaws(const Study& study) {
    std::array<InputLaw, inputVariableCount> laws;
    for (std::size_t i = 0; i < inputVariableCount; ++i) laws[i] = lawOf(study, i);
    return laws;
}

std::string typedLawText(const InputLaw& law) {
    const std::string quoted = analysis_text::typed + ("\"" + law.typed + "\"");
    return law.parameters.empty() ? quoted + analysis_text::doesNotConvert
                                  : quoted + ": " + law.parameters;
}

}  // namespace ferrolith
