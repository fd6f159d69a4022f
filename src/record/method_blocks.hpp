#pragma once

#include <string>
#include <utility>
#include <vector>

#include "analysis/analysis.hpp"

namespace ferrolith {

using RecordLines = std::vector<std::pair<std::string, std::string>>;

// A method's figures as "label: value" lines, ending with its verdict on the analysis's target.
RecordLines methodLines(const Analysis& analysis, const reliability::MethodResult& method);

// FORM's beta, failure probability and evaluations, or why it found no design point, with its
// verdict.
RecordLines formLines(const Analysis& analysis, const reliability::StudyForm& form);

// "Target": the verdict's words.
std::pair<std::string, std::string> verdictLine(const Analysis& analysis, const Estimate& estimate);

}  // namespace ferrolith
