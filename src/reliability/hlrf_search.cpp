#include "reliability/hlrf_search.hpp"

#include <algorithm>
#include <cmath>

#include "reliability/reliability_text.hpp"

namespace ferrolith::reliability {

namespace {

constexpr double armijoFraction = 0.5;
constexpr int largestHalvings = 40;

// |grad g| without forming its square, which overflows for a huge input (Log-Normal 225,10 makes
// g about 1e196).
double gradientSize(const Eigen::VectorXd& gradient) { return gradient.stableNorm(); }

// The HL-RF step from u: to the foot of the perpendicular from the origin on the limit state
// linearised at u, taken along the unit normal n.
Eigen::VectorXd hlrfStep(const Eigen::VectorXd& u, double gu, const Eigen::VectorXd& gradient) {
    const double size = gradientSize(gradient);
    const Eigen::VectorXd n = gradient / size;
    return (n.dot(u) - gu / size) * n - u;
}

struct Step {
    bool found = false;
    Eigen::VectorXd point;
    double value = 0.0;
};

Step meritStep(CountedLimitState& g, const Eigen::VectorXd& u, double gu,
               const Eigen::VectorXd& gradient, const Eigen::VectorXd& d) {
    const double c = 2 * std::max(u.norm(), 1.0) / gradientSize(gradient);
    const auto merit = [c](const Eigen::VectorXd& x, double gx) {
        return 0.5 * x.squaredNorm() + c * std::abs(gx);
    };
    const double sign = gu > 0 ? 1.0 : (gu < 0 ? -1.0 : 0.0);
    const double slope = (u + c * sign * gradient).dot(d);
    const double start = merit(u, gu);
    double lambda = 1.0;
    for (int halving = 0; halving <= largestHalvings; ++halving, lambda *= 0.5) {
        Eigen::VectorXd x = u + lambda * d;
        const double gx = g(x);
        if (std::isfinite(gx) && merit(x, gx) <= start + armijoFraction * lambda * slope)
            return {true, std::move(x), gx};
    }
    return {};
}

// Why a gradient gives no search direction, or null when it gives one.
const char* unusable(const Eigen::VectorXd& gradient) {
    if (!gradient.allFinite()) return text::notFinite;
    if (gradient.squaredNorm() == 0.0) return text::flatGradient;
    return nullptr;
}

SearchOutcome stopped(std::string message, const Eigen::VectorXd& u, double gu, int iterations) {
    SearchOutcome outcome;
    outcome.message = std::move(message);
    outcome.point = u;
    outcome.value = gu;
    outcome.iterations = iterations;
    return outcome;
}

}  // namespace

SearchOutcome hlrfSearch(CountedLimitState& g, Eigen::VectorXd u, const SearchSettings& s) {
    double gu = g(u);
    for (int k = 1; k <= s.maxIterations; ++k) {
        if (!std::isfinite(gu)) return stopped(text::notFinite, u, gu, k);
        const Eigen::VectorXd gradient = centralGradient(g, u, s.gradientStep);
        if (const char* why = unusable(gradient)) return stopped(why, u, gu, k);
        const Eigen::VectorXd d = hlrfStep(u, gu, gradient);
        const bool small = d.norm() < s.stepTolerance;
        // A step already below the tolerance is taken whole: its merit change is rounding.
        Step step = small ? Step{true, u + d, g(u + d)} : meritStep(g, u, gu, gradient, d);
        if (!step.found) return stopped(text::noMeritStep, u, gu, k);
        u = std::move(step.point);
        gu = step.value;
        const double resolved = s.resolvedDistance * gradientSize(gradient);
        if (small && (std::abs(gu) < s.valueTolerance || std::abs(gu) <= resolved)) {
            Eigen::VectorXd last = centralGradient(g, u, s.gradientStep);
            if (const char* why = unusable(last)) return stopped(why, u, gu, k);
            return {true, {}, std::move(u), gu, std::move(last), k};
        }
    }
    return stopped(text::notConverged(s.maxIterations), u, gu, s.maxIterations);
}

}  // namespace ferrolith::reliability
