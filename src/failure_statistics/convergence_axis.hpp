#pragma once

#include <span>

#include "failure_statistics/failure_figures.hpp"

namespace ferrolith {

// Below this largest upper Wilson bound the convergence charts plot Pf on a logarithmic axis: on
// a linear one the estimate and its band would lie flat along the zero line.
inline constexpr double logPfAxisBelow = 1e-2;

// The Pf axis of the convergence charts, on the screen and in the record.
struct PfAxis {
    bool logarithmic = false;
    double low = 0.0;
    double high = 1.0;

    // Where a value is drawn: a logarithmic axis has no zero, so what lies below it sits on low.
    double drawn(double value) const;
};

// Linear from 0 to a little above the largest upper bound; or logarithmic, in whole decades, from
// the decade of the smallest positive Pf or bound (one lower still when a Pf or a lower bound is
// 0) to the decade above the largest upper bound. Linear from 0 to 1 when no upper bound is above
// 0 (no points).
PfAxis convergencePfAxis(std::span<const ConvergencePoint> points);

}  // namespace ferrolith
