#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/design_for_target.hpp"

namespace ferrolith {

// A design for the target: the input, what was kept, the range, the target, the typed numbers,
// whether it was reached, the value found (or the best in the range) with its second number, its
// mean and FORM's beta, the check there (FORM's Pf, sorm and importanceSampling as a method's
// file writes them; null when the target was out of reach) and the curve's points.
nlohmann::ordered_json designForTargetJson(const DesignForTarget& design);

inline constexpr const char* designCurveCsvHeader = "value,beta";

// The curve, one row a point under the header, LF line ends; a beta FORM did not find is empty.
std::string designCurveCsv(const DesignForTarget& design);

}  // namespace ferrolith
