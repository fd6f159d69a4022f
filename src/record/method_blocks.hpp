#pragma once

#include <string>
#include <utility>
#include <vector>

#include "reliability/method_result.hpp"

namespace ferrolith {

using RecordLines = std::vector<std::pair<std::string, std::string>>;

// A method's figures as "label: value" lines, each beta followed by whether it meets target.
RecordLines methodLines(const reliability::MethodResult& method, double target);

// FORM's beta, failure probability and evaluations, or why it found no design point.
RecordLines formLines(const reliability::FormResult& form, double target);

}  // namespace ferrolith
