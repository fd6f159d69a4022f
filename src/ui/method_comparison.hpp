#pragma once

#include <QString>
#include <array>
#include <vector>

#include "analysis/analysis.hpp"

namespace ferrolith {

// One row of the Methods tab's comparison: method, Pf, interval and CoV, beta, samples or
// evaluations, time, and the verdict on the target index.
using ComparisonRow = std::array<QString, 7>;

// The analysis's estimates, the design run first: a bound is written as one ("below 1.2e-4",
// "above 3.67"), and an estimate without a figure says why in the interval's column.
std::vector<ComparisonRow> comparisonRows(const Analysis& analysis);

}  // namespace ferrolith
