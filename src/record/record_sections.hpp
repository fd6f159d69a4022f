#pragma once

#include "record/calculation_record.hpp"
#include "record/page_flow.hpp"

namespace ferrolith {

// Lays the whole record out on flow: title, summary, limit state, reference period and loads,
// study, warnings, inputs at failure,
// charts, FORM, the methods and the report.
void layOutRecord(PageFlow& flow, const CalculationRecord& record);

// Pages the report may take before its repetition blocks are left out.
inline constexpr int reportPageLimit = 20;

}  // namespace ferrolith
