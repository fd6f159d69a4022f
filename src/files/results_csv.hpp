#pragma once

#include <string>

#include "analysis/analysis.hpp"

namespace ferrolith {

inline constexpr const char* resultsCsvHeader =
    "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,failures";
inline constexpr const char* designPointCsvHeader = "input,value,standardNormal,alpha,importance";

// The completed repetitions of a run, one row each under the header, LF line ends, numbers at
// full precision with "." decimals; a non-finite figure is an empty field.
std::string resultsCsv(const RunResult& run);

// An analysis's table: the repetitions of its design run or of independent Monte Carlo; without a
// design run, a design for the target's curve where one was searched (designCurveCsv); for
// FORM, SORM and importance sampling, which have none, FORM's design point, one row an input (a
// Gamma input's three coordinates separated by blanks), empty below the header when FORM found
// none.
std::string resultsCsv(const Analysis& analysis);

}  // namespace ferrolith
