#pragma once

#include <string>
#include <vector>

#include "analysis/law_range.hpp"
#include "model/input_variable.hpp"
#include "model/study.hpp"

namespace ferrolith {

// An input whose law, with the numbers typed, gives values its numbers cannot mean.
struct RangeWarning {
    InputVariable variable;
    LawRange drawn;   // what the design draws
    LawRange normal;  // the same numbers read as a Normal
    std::string text;
};

// The limits of the check: a spread this many times the Normal's is out of range.
inline constexpr double largestSpreadRatio = 1000.0;

// One warning an input, in input order, where its drawn values go below zero (by the 0.1%
// quantile) for a length, width, depth, stress or load position, its median lies outside the
// Normal's 0.1% to 99.9% range, or its 0.1% to 99.9% spread exceeds largestSpreadRatio times
// the Normal's. An input whose parameter text does not convert, or whose law draws nothing
// (see drawnRange), is not checked.
std::vector<RangeWarning> inputRangeWarnings(const Study& study);

}  // namespace ferrolith
