#pragma once

#include <QString>
#include <array>
#include <vector>

#include "analysis/analysis.hpp"

namespace ferrolith {

// One row of the Methods tab's comparison: its cells (method, Pf, 95% interval, CoV, beta,
// samples or evaluations, seconds, and the verdict's words), each short enough for one line;
// the verdict in full, with the target's basis; and, for an estimate without a figure, why.
struct ComparisonRow {
    std::array<QString, 8> cells;
    QString verdict;
    QString why;
};

// The analysis's estimates, the design run first: a bound is written as one ("< 1.2e-4",
// "> 3.67"), and an estimate without a figure has "no figure" for Pf.
std::vector<ComparisonRow> comparisonRows(const Analysis& analysis);

}  // namespace ferrolith
