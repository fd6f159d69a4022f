#pragma once

#include <string>
#include <string_view>

#include "analysis/estimate.hpp"
#include "model/target_basis.hpp"

namespace ferrolith {

// What an estimate says of the target reliability index.
enum class Verdict {
    Meets,           // beta, or the least beta the figures allow, reaches the target
    FallsShort,      // beta is below the target
    NotShownToMeet,  // only a bound is known (nothing failed), and it does not reach the target
    NoAnswer,        // no figure to judge (FORM found no design point)
};

// The one rule every view's verdict comes from.
Verdict verdictOn(const Estimate& estimate, double target);

// "RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)", or for a typed target
// "50-year loads: beta 4.25 (command line)": the target with what it rests on.
std::string basisText(const TargetBasis& basis);

// "meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)": the verdict's words with the target's
// basis, the same in every view.
std::string verdictText(Verdict verdict, const TargetBasis& basis);

// "meets", "falls-short", "not-shown-to-meet", "no-answer": as the results files name it.
std::string_view verdictName(Verdict verdict);

// "3.80": two decimals, or as many as a typed target holds beyond them.
std::string targetText(double target);

}  // namespace ferrolith
