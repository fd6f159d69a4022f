#pragma once

#include <string>
#include <vector>

#include "analysis/design_for_target.hpp"

namespace ferrolith {

// "Beam Depth (mm), standard deviation kept": the input and what stays fixed as it moves.
std::string designInputText(const DesignForTarget& design);

// "262.4 (mean 262.4, second number 10)": a first number with the mean of its law.
std::string designValueText(const DesignForTarget& design);

// The answer in lines, as the driver prints it and the window and the record show it: what was
// searched, the value found with FORM's beta there and the check by SORM and importance sampling;
// or the one line that the target is out of reach, with the best value in the range.
std::vector<std::string> designForTargetLines(const DesignForTarget& design);

}  // namespace ferrolith
