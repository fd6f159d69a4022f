#include "analysis/input_range.hpp"

#include "analysis/analysis_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "model/parse_parameter.hpp"

namespace ferrolith {

namespace {

// A load's value may be negative by the user's choice; sizes, stress and position may not.
bool mustBePositive(InputVariable v) {
    return v != InputVariable::PointLoadValue && v != InputVariable::UdlValue;
}

std::vector<std::string> reasons(InputVariable v, const LawRange& drawn, const LawRange& normal) {
    std::vector<std::string> list;
    if (mustBePositive(v) && drawn.lower < 0.0) list.emplace_back(analysis_text::rangeBelowZero);
    if (!(drawn.median >= normal.lower && drawn.median <= normal.upper))
        list.emplace_back(analysis_text::rangeMedianOutside);
    if (drawn.upper - drawn.lower > largestSpreadRatio * (normal.upper - normal.lower))
        list.emplace_back(analysis_text::rangeSpreadTooWide);
    return list;
}

std::string warningText(const InputVariableInfo& v, const std::string& law,
                        const std::string& numbers, const LawRange& drawn, const LawRange& normal,
                        const std::vector<std::string>& why) {
    std::string text = std::string(v.caption) + ", " + law + " \"" + numbers +
                       "\": " + analysis_text::rangeDrawn + formatFigure(drawn.lower) + " to " +
                       formatFigure(drawn.upper) + ", " + analysis_text::rangeMedian +
                       formatFigure(drawn.median) + "; " + analysis_text::rangeNormal +
                       formatFigure(normal.lower) + " to " + formatFigure(normal.upper) + ".";
    for (const std::string& reason : why) text += " " + reason;
    return text;
}

}  // namespace

std::vector<RangeWarning> inputRangeWarnings(const Study& study) {
    std::vector<RangeWarning> warnings;
    for (const InputVariableInfo& v : inputVariables) {
        const auto i = static_cast<std::size_t>(v.variable);
        const std::string& numbers = study.parameters[i];
        const std::string law = study.distributions[i].empty() ? "Normal" : study.distributions[i];
        double a = 0.0;
        double b = 0.0;
        try {
            a = parseParameter(1, numbers);
            b = parseParameter(2, numbers);
        } catch (const ConversionError&) {
            continue;  // the run says so itself
        }
        const auto drawn = drawnRange(branchFor(law), a, b);
        if (!drawn) continue;
        const LawRange normal = normalRange(a, b);
        const std::vector<std::string> why = reasons(v.variable, *drawn, normal);
        if (why.empty()) continue;
        warnings.push_back(
            {v.variable, *drawn, normal, warningText(v, law, numbers, *drawn, normal, why)});
    }
    return warnings;
}

}  // namespace ferrolith
