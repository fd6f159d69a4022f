#pragma once

#include <ostream>
#include <string>

#include "record/calculation_record.hpp"

namespace ferrolith {

// Writes the calculation record to path through the safe save; a failure is one line on
// errors, and false. The fonts need Qt's GUI toolkit, which is started here for the record
// alone, always on the offscreen platform, so no display is needed.
bool writeRecordOrSay(const std::string& path, const CalculationRecord& record,
                      std::ostream& errors);

}  // namespace ferrolith
