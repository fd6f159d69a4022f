#pragma once

#include <optional>
#include <span>

#include "analysis/chart_axis.hpp"
#include "failure_statistics/convergence_axis.hpp"

namespace ferrolith {

// The convergence chart: Pf after each repetition over the samples drawn so far, on a
// logarithmic samples axis, in its 95% Wilson band; Pf on the axis convergencePfAxis chooses.
class ConvergenceLayout {
  public:
    // None without points.
    static std::optional<ConvergenceLayout> of(std::span<const ConvergencePoint> points);

    // Where a repetition is drawn: its samples, its Pf and its band's bounds; what lies below a
    // logarithmic Pf axis sits on its floor.
    struct Drawn {
        double samples;
        double pf;
        double lower;
        double upper;
    };
    Drawn drawn(const ConvergencePoint& point) const;

    const ChartAxis& samples() const { return samples_; }
    const ChartAxis& pf() const { return pf_; }

  private:
    ConvergenceLayout(ChartAxis samples, ChartAxis pf, PfAxis scale);

    ChartAxis samples_;
    ChartAxis pf_;
    PfAxis scale_;
};

}  // namespace ferrolith
