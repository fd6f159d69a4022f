#pragma once

#include <string>

#include "analysis/design_values.hpp"
#include "model/study.hpp"
#include "reliability/study_form.hpp"

// The words of the reference periods and the design values, the same in every view.
namespace ferrolith {

// "FORM beta, 1-year loads".
std::string otherPeriodLabel(const reliability::OtherPeriodForm& other);

// "4.62 (both variable loads at their maxima ... a lower beta)", or why there is no figure.
std::string otherPeriodText(const reliability::OtherPeriodForm& other);

// "design point at beta 0.1475, target RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)".
std::string designValuesCaption(const DesignValues& values, const TargetBasis& target);

// ", variable load" or ", permanent load" after a load's distribution; "" for another input.
std::string roleText(const Study& study, InputVariable variable);

}  // namespace ferrolith
