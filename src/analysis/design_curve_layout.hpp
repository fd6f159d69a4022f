#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "analysis/chart_axis.hpp"
#include "analysis/design_for_target.hpp"

namespace ferrolith {

// FORM's beta against the design input's first number over the searched range, the target as a
// line across it, and the value found (or the best in the range) as a point.
struct DesignCurveLayout {
    ChartAxis values;               // the range searched, exactly
    ChartAxis beta;                 // the curve's betas and the target
    std::vector<ChartPoint> curve;  // the points where FORM found a design point
    std::array<ChartPoint, 2> target;
    std::optional<ChartPoint> found;  // none where FORM gave no beta there
    std::string targetName;           // "target 3.80"
};

DesignCurveLayout designCurveLayout(const DesignForTarget& design);

}  // namespace ferrolith
