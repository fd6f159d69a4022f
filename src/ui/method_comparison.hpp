#pragma once

#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "failure_statistics/failure_figures.hpp"
#include "reliability/method_result.hpp"

namespace ferrolith {

// The design run's own estimate, for the comparison with the methods.
struct DesignEstimate {
    FailureFigures figures;
    std::optional<double> seconds;  // the run's time, when it completed
};

// One row of the Methods tab's comparison: method, Pf, interval and CoV, beta, samples or
// evaluations, time, and whether beta meets the target index.
using ComparisonRow = std::array<QString, 7>;

// "3.80": the target index as the tab shows it.
QString targetText(double target);

// Whether beta meets the target index, as the figures say it; empty when beta is not a number.
QString targetVerdict(double beta, double target);

// The design run first, then each method in the order given; a method without figures (FORM
// without a design point) says so in its Pf column, and a sampling method without failures gives
// the bounds its interval puts on Pf and beta.
std::vector<ComparisonRow> comparisonRows(const std::optional<DesignEstimate>& design,
                                          std::span<const reliability::MethodResult> methods,
                                          double target);

}  // namespace ferrolith
