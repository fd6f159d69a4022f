#include "failure_statistics/convergence_axis.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ferrolith {

double PfAxis::drawn(double value) const { return logarithmic ? std::max(value, low) : value; }

PfAxis convergencePfAxis(std::span<const ConvergencePoint> points) {
    double top = 0.0;
    double smallest = std::numeric_limits<double>::infinity();
    bool zero = false;
    for (const ConvergencePoint& p : points) {
        top = std::max(top, p.wilson.upper);
        for (double v : {p.failureProbability, p.wilson.lower, p.wilson.upper}) {
            if (v > 0.0)
                smallest = std::min(smallest, v);
            else
                zero = true;
        }
    }
    // Without points, or with points of no samples, there is no bound to scale to.
    if (top == 0.0) return {};
    if (top >= logPfAxisBelow) return {false, 0.0, top * 1.05};
    const double low = std::floor(std::log10(smallest)) - (zero ? 1 : 0);
    const double high = std::max(std::ceil(std::log10(top)), low + 1);
    return {true, std::pow(10.0, low), std::pow(10.0, high)};
}

}  // namespace ferrolith
