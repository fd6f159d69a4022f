#include "reliability/form.hpp"

#include <algorithm>
#include <cmath>

#include "reliability/hlrf_search.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

namespace {

// Ends further apart than this (relative to the design point's distance, at least 1) are two
// design points.
constexpr double samePointTolerance = 1e-3;

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// The origin, then points at the start distance along sign patterns of the coordinates: all +1,
// alternating, in pairs, in fours, ..., each pattern in both directions.
std::vector<Eigen::VectorXd> startPoints(int n, const FormOptions& o) {
    std::vector<Eigen::VectorXd> starts{Eigen::VectorXd::Zero(n)};
    for (int j = 0; j < o.otherStarts; ++j) {
        const int pattern = j / 2;
        const double sign = j % 2 == 0 ? 1.0 : -1.0;
        Eigen::VectorXd v(n);
        for (int i = 0; i < n; ++i) {
            const bool flip = pattern > 0 && ((i >> (pattern - 1)) & 1) != 0;
            v(i) = flip ? -sign : sign;
        }
        starts.push_back(o.startDistance / std::sqrt(static_cast<double>(n)) * v);
    }
    return starts;
}

std::vector<double> toVector(const Eigen::VectorXd& v) { return {v.data(), v.data() + v.size()}; }

// The first start whose converged end is nearest the origin, ends that are one point counting
// as equally near; -1 when no start converged.
int nearestConverged(const std::vector<SearchOutcome>& outcomes) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(outcomes.size()); ++i) {
        if (!outcomes[i].converged) continue;
        const double distance = outcomes[i].point.norm();
        const double bestDistance = best < 0 ? 0.0 : outcomes[best].point.norm();
        if (best < 0 || distance < bestDistance - samePointTolerance * std::max(1.0, bestDistance))
            best = i;
    }
    return best;
}

void takeDesignPoint(FormResult& result, const SearchOutcome& o, double sign) {
    result.converged = true;
    result.beta = sign * o.point.norm();
    result.failureProbability = normalCdf(-result.beta);
    result.designPoint = toVector(o.point);
    result.gradientNorm = o.gradient.stableNorm();  // its square may overflow
    result.alpha = toVector(-o.gradient / result.gradientNorm);
    result.designPoints = {{result.beta, result.designPoint, result.alpha, result.gradientNorm}};
}

void markOtherDesignPoints(FormResult& result, const std::vector<SearchOutcome>& outcomes) {
    const Eigen::VectorXd& design = outcomes[result.designStart].point;
    const double tolerance = samePointTolerance * std::max(1.0, design.norm());
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (!outcomes[i].converged || (outcomes[i].point - design).norm() <= tolerance) continue;
        result.starts[i].otherDesignPoint = true;
        result.starts[i].message = text::otherDesignPoint(result.starts[i].beta);
    }
}

FormResult search(const LimitStateFunction& g, const FormOptions& options) {
    CountedLimitState counted(g);
    FormResult result;
    result.valueAtOrigin = counted(Eigen::VectorXd::Zero(g.dimension));
    if (!std::isfinite(result.valueAtOrigin)) {
        // Neither the side of the origin nor the tolerance of |g| is known.
        result.evaluations = counted.evaluations();
        result.message = text::noDesignPoint(text::notFiniteAtOrigin);
        return result;
    }
    // beta is negative when the origin itself fails.
    const double sign = fails(result.valueAtOrigin) ? -1.0 : 1.0;
    const SearchSettings settings{options.maxIterations, options.stepTolerance,
                                  options.valueTolerance * std::abs(result.valueAtOrigin),
                                  options.gradientStep, options.resolvedDistance};
    std::vector<SearchOutcome> outcomes;
    for (const Eigen::VectorXd& start : startPoints(g.dimension, options)) {
        outcomes.push_back(hlrfSearch(counted, start, settings));
        const SearchOutcome& o = outcomes.back();
        result.starts.push_back({toVector(start), o.converged, toVector(o.point),
                                 o.converged ? sign * o.point.norm() : notANumber, o.iterations,
                                 false, o.message});
    }
    result.evaluations = counted.evaluations();
    result.designStart = nearestConverged(outcomes);
    if (result.designStart < 0) {
        result.message = text::noDesignPoint(result.starts.front().message);
        return result;
    }
    takeDesignPoint(result, outcomes[result.designStart], sign);
    markOtherDesignPoints(result, outcomes);
    return result;
}

}  // namespace

FormResult form(const LimitStateFunction& g, const FormOptions& options) {
    try {
        return search(g, options);
    } catch (const InputFaultError& e) {
        FormResult faulty;
        faulty.fault = e.fault();
        faulty.message = e.what();
        return faulty;
    }
}

std::string_view missingDesignPoint(const FormResult& form, int dimension) {
    if (form.fault) return form.fault->message;
    if (!form.converged) return text::needsDesignPoint;
    if (form.designPoint.size() != static_cast<std::size_t>(dimension) ||
        form.alpha.size() != form.designPoint.size())
        return text::otherDimension;
    return {};
}

}  // namespace ferrolith::reliability
