#pragma once

#include <ostream>

#include "analysis/analysis.hpp"

namespace ferrolith {

// Each input whose law gives values out of range, one line on errors: "ferrolith-cli: " and the
// warning's words.
void sayRangeWarnings(const Analysis& analysis, std::ostream& errors);

}  // namespace ferrolith
