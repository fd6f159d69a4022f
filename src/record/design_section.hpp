#pragma once

#include "analysis/analysis.hpp"
#include "record/page_flow.hpp"

namespace ferrolith {

// The design for the target, where the analysis searched one: its lines (the value found with
// its check, or that the target is out of reach with the best value) and FORM's beta curve over
// the range with the target and the point.
void designSection(PageFlow& flow, const Analysis& analysis);

}  // namespace ferrolith
