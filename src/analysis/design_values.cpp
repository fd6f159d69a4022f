#include "analysis/design_values.hpp"

#include <charconv>
#include <cmath>
#include <vector>

#include "analysis/analysis_text.hpp"
#include "analysis/law_quantile.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

CharacteristicKind kindOf(const Study& study, InputVariable variable) {
    switch (variable) {
        case InputVariable::AllowableStress:
            return CharacteristicKind::Fractile;
        case InputVariable::BeamWidth:
        case InputVariable::BeamDepth:
            return CharacteristicKind::Nominal;
        case InputVariable::PointLoadValue:
        case InputVariable::UdlValue:
            return roleOf(study, variable) == LoadRole::Variable
                       ? CharacteristicKind::AnnualMaximum
                       : CharacteristicKind::PermanentMean;
        case InputVariable::BeamLength:
        case InputVariable::PointLoadLocation:
            break;
    }
    return CharacteristicKind::NominalWithoutFactor;
}

// The fractile of the study's law that is the annual maximum's: F_1 = F_n^(1/n) over n years.
double annualFractileOfLaw(const Study& study) {
    return std::pow(study.fractiles.variableLoad, years(study.target.period));
}

std::string basisOf(const Study& study, CharacteristicKind kind) {
    switch (kind) {
        case CharacteristicKind::Fractile:
            return percentText(study.fractiles.resistance) + analysis_text::fractile;
        case CharacteristicKind::AnnualMaximum: {
            std::string text =
                percentText(study.fractiles.variableLoad) + analysis_text::annualFractile;
            if (study.target.period == ReferencePeriod::OneYear) return text;
            return text + " (" + percentText(annualFractileOfLaw(study)) + " of the " +
                   std::to_string(years(study.target.period)) + analysis_text::yearLaw + ")";
        }
        case CharacteristicKind::Nominal:
        case CharacteristicKind::NominalWithoutFactor:
            return analysis_text::nominalMean;
        case CharacteristicKind::PermanentMean:
            break;
    }
    return analysis_text::mean;
}

double characteristicOf(const Study& study, CharacteristicKind kind, Branch branch, double a,
                        double b) {
    switch (kind) {
        case CharacteristicKind::Fractile:
            return lawQuantile(branch, a, b, study.fractiles.resistance);
        case CharacteristicKind::AnnualMaximum:
            return lawQuantile(branch, a, b, annualFractileOfLaw(study));
        default:
            break;
    }
    return lawMean(branch, a, b);
}

// Resistances fail as they fall, loads as they rise: the factor is above 1 on the safe side.
std::optional<double> factorOf(CharacteristicKind kind, double characteristic, double design) {
    switch (kind) {
        case CharacteristicKind::Fractile:
        case CharacteristicKind::Nominal:
            return characteristic / design;
        case CharacteristicKind::AnnualMaximum:
        case CharacteristicKind::PermanentMean:
            return design / characteristic;
        case CharacteristicKind::NominalWithoutFactor:
            break;
    }
    return std::nullopt;
}

// The inputs at u = alpha beta, NaN where the point holds faulty data.
std::array<double, inputVariableCount> valuesAt(const StudyForm& form, double beta) {
    std::vector<double> u(form.form.alpha.size());
    for (std::size_t i = 0; i < u.size(); ++i) u[i] = form.form.alpha[i] * beta;
    const PhysicalPoint point = form.space.physical(u);
    if (!point.fault) return point.values;
    std::array<double, inputVariableCount> none{};
    none.fill(std::nan(""));
    return none;
}

}  // namespace

std::string percentText(double p) {
    // Whatever the locale: the window's sets the C library's.
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, 100.0 * p, std::chars_format::general, 4).ptr;
    return std::string(static_cast<const char*>(text), end) + "%";
}

std::optional<DesignValues> designValues(const Study& study, const StudyForm& form) {
    if (!form.designPoint) return std::nullopt;
    DesignValues values;
    values.beta = form.form.beta;
    values.target = study.target.index();
    const auto atTarget = valuesAt(form, values.target);
    const BeamInputs& inputs = form.space.inputs();
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        InputDesignValues& input = values.inputs[i];
        input.variable = static_cast<InputVariable>(i);
        input.kind = kindOf(study, input.variable);
        input.basis = basisOf(study, input.kind);
        input.characteristic = characteristicOf(study, input.kind, inputs.branch[i],
                                                inputs.paramA[i], inputs.paramB[i]);
        input.atDesignPoint = form.designPoint->inputs[i].value;
        input.atTarget = atTarget[i];
        input.factorAtDesignPoint = factorOf(input.kind, input.characteristic, input.atDesignPoint);
        input.factorAtTarget = factorOf(input.kind, input.characteristic, input.atTarget);
    }
    return values;
}

}  // namespace ferrolith
