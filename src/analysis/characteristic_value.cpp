#include "analysis/characteristic_value.hpp"

#include <charconv>
#include <cmath>

#include "analysis/analysis_text.hpp"
#include "analysis/law_quantile.hpp"

namespace ferrolith {

namespace {

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

double valueOf(const Study& study, CharacteristicKind kind, Branch branch, double a, double b) {
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

}  // namespace

Characteristic characteristicValue(const Study& study, InputVariable variable, Branch branch,
                                   double a, double b) {
    const CharacteristicKind kind = kindOf(study, variable);
    return {kind, basisOf(study, kind), valueOf(study, kind, branch, a, b)};
}

std::string percentText(double p) {
    // Whatever the locale: the window's sets the C library's.
    char text[32];
    const char* end =
        std::to_chars(text, text + sizeof text, 100.0 * p, std::chars_format::general, 4).ptr;
    return std::string(static_cast<const char*>(text), end) + "%";
}

}  // namespace ferrolith
