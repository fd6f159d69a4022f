#include "analysis/design_for_target_text.hpp"

#include "analysis/analysis_text.hpp"
#include "analysis/verdict.hpp"
#include "failure_statistics/figure_text.hpp"

namespace ferrolith {

namespace {

using namespace analysis_text;

std::string sormText(const reliability::SormResult& sorm) {
    const reliability::CurvatureCorrection& c = sorm.estimate();
    if (!sorm.message.empty()) return sorm.message;
    if (!c.defined) return c.message;
    return "Pf " + formatFigure(c.failureProbability) + ", beta " + formatFigure(c.beta);
}

std::string samplingText(const reliability::ImportanceSamplingResult& s) {
    if (!s.message.empty()) return s.message;
    std::string text = "Pf " + formatFigure(s.failureProbability);
    if (s.hasInterval())
        text += " (95% " + formatFigure(s.interval.lower) + " to " +
                formatFigure(s.interval.upper) + ")";
    else
        text += " (" + missingInterval(s) + ")";
    text += ", " + formatCount(s.samples) + " samples";
    if (s.targetCov) text += "; " + std::string(reliability::samplingEndText(s.end));
    return text;
}

}  // namespace

std::string designInputText(const DesignForTarget& design) {
    return std::string(info(design.request.input).caption) + ", " +
           (design.request.keep == KeptSpread::Variation ? variationKept : secondKept);
}

std::string designValueText(const DesignForTarget& design) {
    return formatFigure(design.value) + " (mean " + formatFigure(design.mean) + ", second number " +
           formatFigure(design.second) + ")";
}

std::vector<std::string> designForTargetLines(const DesignForTarget& design) {
    std::vector<std::string> lines{
        std::string(designFor) + designInputText(design),
        std::string(designTarget) + basisText(design.basis),
        std::string(designRange) + formatFigure(design.range.lower) + " to " +
            formatFigure(design.range.upper) + " (typed " + formatFigure(design.typedFirst) + ", " +
            formatFigure(design.typedSecond) + "), " + std::to_string(design.curve.size()) +
            " FORM points",
    };
    if (!design.reached) {
        lines.push_back(std::string(designOutOfReach) + designBest + designValueText(design) +
                        ", FORM beta " + formatFigure(design.beta) + ".");
        return lines;
    }
    lines.push_back(std::string(designFound) + designValueText(design) + ", FORM beta " +
                    formatFigure(design.beta) + " (Pf " + formatFigure(design.check->formPf) + ")");
    lines.push_back(std::string(designSorm) + sormText(design.check->sorm));
    lines.push_back(std::string(designSampling) + samplingText(design.check->sampling));
    return lines;
}

}  // namespace ferrolith
