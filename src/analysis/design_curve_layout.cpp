#include "analysis/design_curve_layout.hpp"

#include <algorithm>
#include <cmath>

#include "analysis/chart_texts.hpp"
#include "analysis/verdict.hpp"

namespace ferrolith {

DesignCurveLayout designCurveLayout(const DesignForTarget& design) {
    DesignCurveLayout layout;
    double low = design.target;
    double high = design.target;
    for (const CurvePoint& p : design.curve) {
        if (!std::isfinite(p.beta)) continue;
        layout.curve.push_back({p.value, p.beta});
        low = std::min(low, p.beta);
        high = std::max(high, p.beta);
    }
    layout.values =
        exactAxis(design.range.lower, design.range.upper,
                  std::string(info(design.request.input).caption) + chart_text::designValueAxis);
    layout.beta = roundedAxis(low, high, chart_text::designBetaAxis);
    layout.target = {{{design.range.lower, design.target}, {design.range.upper, design.target}}};
    if (std::isfinite(design.beta)) layout.found = ChartPoint{design.value, design.beta};
    layout.targetName = chart_text::designTargetSeries + targetText(design.target);
    return layout;
}

}  // namespace ferrolith
