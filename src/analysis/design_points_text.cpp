#include "analysis/design_points_text.hpp"

#include "failure_statistics/figure_text.hpp"

namespace ferrolith {

std::string designPointTitle(const reliability::StudyForm& form, std::size_t index) {
    return "Design point " + std::to_string(index + 1) + " of " +
           std::to_string(form.designPoints.size()) + ", beta " +
           formatFigure(form.designPoints[index].beta);
}

std::string systemProbabilityText(const reliability::FormResult& form) {
    const std::string pf = formatFigure(form.system.probability);
    if (!(form.system.error > 0)) return pf;
    return pf + " (error estimate " + formatFigure(form.system.error) + ")";
}

std::string designPointsNote(const reliability::FormResult& form) {
    if (!form.severalPointsWarning.empty()) return form.severalPointsWarning;
    if (form.designPoints.size() < 2) return {};
    return "FORM found " + std::to_string(form.designPoints.size()) +
           " design points; the further ones carry under 1% of the nearest one's probability. The "
           "system estimate from all of them is Pf " +
           systemProbabilityText(form) + ", beta " + formatFigure(form.systemBeta) + ".";
}

}  // namespace ferrolith
