#include "analysis/period_text.hpp"

#include "analysis/analysis_text.hpp"
#include "analysis/verdict.hpp"
#include "failure_statistics/figure_text.hpp"
#include "reliability/reliability_text.hpp"

namespace ferrolith {

std::string otherPeriodLabel(const reliability::OtherPeriodForm& other) {
    return "FORM beta, " + std::to_string(years(other.period)) + analysis_text::yearLoads;
}

std::string otherPeriodText(const reliability::OtherPeriodForm& other) {
    if (!other.form) return other.refusal;
    if (!other.form->converged) return other.form->message;
    const std::string beta = formatFigure(other.form->beta);
    if (!other.loadsTogether) return beta;
    return beta + " (" + reliability::text::loadsTogether + ")";
}

std::string designValuesCaption(const DesignValues& values, const TargetBasis& target) {
    return analysis_text::atDesignPoint + formatFigure(values.beta) + ", " +
           analysis_text::atTarget + basisText(target);
}

std::string roleText(const Study& study, InputVariable variable) {
    if (!isLoad(variable)) return {};
    return ", " + std::string(loadRoleNames[static_cast<std::size_t>(roleOf(study, variable))]) +
           " load";
}

}  // namespace ferrolith
