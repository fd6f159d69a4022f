#include "analysis/convergence_layout.hpp"

#include "analysis/chart_texts.hpp"

namespace ferrolith {

ConvergenceLayout::ConvergenceLayout(ChartAxis samples, ChartAxis pf, PfAxis scale)
    : samples_(std::move(samples)), pf_(std::move(pf)), scale_(scale) {}

std::optional<ConvergenceLayout> ConvergenceLayout::of(std::span<const ConvergencePoint> points) {
    if (points.empty()) return std::nullopt;
    const double first = static_cast<double>(points.front().samples);
    const double last = static_cast<double>(points.back().samples);
    // A logarithmic axis needs a range of some width.
    ChartAxis samples =
        logarithmicAxis(first, last > first ? last : first * 10, chart_text::samplesAxis);
    const PfAxis scale = convergencePfAxis(points);
    ChartAxis pf = scale.logarithmic ? logarithmicAxis(scale.low, scale.high, chart_text::pfLogAxis)
                                     : roundedAxis(scale.low, scale.high, chart_text::pfAxis);
    return ConvergenceLayout(std::move(samples), std::move(pf), scale);
}

ConvergenceLayout::Drawn ConvergenceLayout::drawn(const ConvergencePoint& point) const {
    return {static_cast<double>(point.samples), scale_.drawn(point.failureProbability),
            scale_.drawn(point.wilson.lower), scale_.drawn(point.wilson.upper)};
}

}  // namespace ferrolith
