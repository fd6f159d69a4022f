#pragma once

#include <string>

#include "model/run_result.hpp"

namespace ferrolith {

inline constexpr const char* resultsCsvHeader =
    "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,failures";

// The completed repetitions of a run, one row each under the header, LF line ends, numbers at
// full precision with "." decimals; a non-finite figure is an empty field.
std::string resultsCsv(const RunResult& run);

}  // namespace ferrolith
