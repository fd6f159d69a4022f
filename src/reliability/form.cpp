#include "reliability/form.hpp"

#include <algorithm>
#include <cmath>

#include "failure_statistics/reliability_index.hpp"
#include "reliability/hlrf_search.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/scalar_normal_stream.hpp"
#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

namespace {

// Ends further apart than this (relative to the design point's distance, at least 1) are two
// design points.
constexpr double samePointTolerance = 1e-3;

constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// A further design point carrying more than this share of the nearest one's probability makes
// Pf from the nearest alone too low to stand without a warning.
constexpr double warningShare = 0.01;

// The fixed stream of the spread starts' directions.
constexpr std::uint64_t startStream = 0x666f726d5f737461ULL;

std::vector<double> toVector(const Eigen::VectorXd& v) { return {v.data(), v.data() + v.size()}; }

bool samePoint(const Eigen::VectorXd& a, const Eigen::VectorXd& b) {
    return (a - b).norm() <= samePointTolerance * std::max({1.0, a.norm(), b.norm()});
}

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

// The probability of the union of the design points' half-spaces, and the warning when a further
// point carries more than warningShare of the nearest one's probability.
void addSystemEstimate(FormResult& result) {
    const auto& points = result.designPoints;
    const int m = static_cast<int>(points.size());
    std::vector<double> betas;
    Eigen::MatrixXd r(m, m);
    for (int j = 0; j < m; ++j) {
        betas.push_back(points[j].beta);
        for (int k = 0; k < m; ++k) {
            const Eigen::Map<const Eigen::VectorXd> a(points[j].alpha.data(),
                                                      points[j].alpha.size());
            const Eigen::Map<const Eigen::VectorXd> b(points[k].alpha.data(),
                                                      points[k].alpha.size());
            r(j, k) = j == k ? 1.0 : a.dot(b);
        }
    }
    result.system = unionProbability(betas, r);
    // One point's beta as it is, not back from its Pf.
    result.systemBeta = m == 1 ? result.beta : reliabilityIndex(result.system.probability);
    std::vector<double> shares;
    for (const DesignPoint& p : points)
        shares.push_back(normalCdf(-p.beta) / result.failureProbability);
    if (std::any_of(shares.begin() + 1, shares.end(), [](double s) { return s > warningShare; }))
        result.severalPointsWarning = text::severalDesignPoints(
            shares, warningShare, result.system.probability, result.systemBeta);
}

void markOtherDesignPoints(FormResult& result, const std::vector<SearchOutcome>& outcomes) {
    const Eigen::VectorXd& design = outcomes[result.designStart].point;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        if (!outcomes[i].converged || samePoint(outcomes[i].point, design)) continue;
        result.starts[i].otherDesignPoint = true;
        result.starts[i].message = text::otherDesignPoint(result.starts[i].beta);
    }
}

// The searches from every start, and the distinct points their converged ends make.
class Searches {
  public:
    Searches(CountedLimitState& g, const SearchSettings& settings, double sign, FormResult& result,
             const FormOptions& options)
        : g_(g), settings_(settings), sign_(sign), result_(result), options_(options) {}

    // Searches from start unless its direction is near a point found; true when the search
    // found a new point within the margin of the nearest one. Every start counts as drawn.
    bool from(const Eigen::VectorXd& start) {
        ++drawn_;
        if (start.norm() > 0 && nearFound(start)) return false;
        outcomes_.push_back(hlrfSearch(g_, start, settings_));
        const SearchOutcome& o = outcomes_.back();
        result_.starts.push_back({toVector(start), o.converged, toVector(o.point),
                                  o.converged ? sign_ * o.point.norm() : notANumber, o.iterations,
                                  false, o.message});
        if (!o.converged || isFound(o.point)) return false;
        const bool within = found_.empty() || o.point.norm() <= nearest() + options_.margin;
        found_.push_back(static_cast<int>(outcomes_.size()) - 1);
        return within;
    }

    int drawn() const { return drawn_; }
    const std::vector<SearchOutcome>& outcomes() const { return outcomes_; }
    const std::vector<int>& found() const { return found_; }

  private:
    double nearest() const {
        double d = std::numeric_limits<double>::infinity();
        for (int i : found_) d = std::min(d, outcomes_[i].point.norm());
        return d;
    }
    bool isFound(const Eigen::VectorXd& u) const {
        return std::any_of(found_.begin(), found_.end(),
                           [&](int i) { return samePoint(outcomes_[i].point, u); });
    }
    bool nearFound(const Eigen::VectorXd& start) const {
        return std::any_of(found_.begin(), found_.end(), [&](int i) {
            const Eigen::VectorXd& p = outcomes_[i].point;
            const double norms = p.norm() * start.norm();
            return norms > 0 && p.dot(start) > options_.nearDirection * norms;
        });
    }

    CountedLimitState& g_;
    const SearchSettings& settings_;
    double sign_;
    FormResult& result_;
    const FormOptions& options_;
    std::vector<SearchOutcome> outcomes_;
    std::vector<int> found_;  // the first outcome to reach each distinct point
    int drawn_ = 0;
};

// The origin, both directions of each axis, then spread random directions from a fixed stream
// until quietStarts in a row (searched or passed over) find nothing new.
void searchEveryStart(Searches& searches, int n, const FormOptions& o) {
    searches.from(Eigen::VectorXd::Zero(n));
    for (int i = 0; i < n; ++i)
        for (const double side : {1.0, -1.0})
            searches.from(side * o.startDistance * Eigen::VectorXd::Unit(n, i));
    ScalarNormalStream directions(0, startStream);
    for (int quiet = 0; quiet < o.quietStarts && searches.drawn() < o.mostStarts;) {
        Eigen::VectorXd v(n);
        for (int i = 0; i < n; ++i) v(i) = directions.next();
        quiet = searches.from(o.startDistance / v.norm() * v) ? 0 : quiet + 1;
    }
}

DesignPoint designPointOf(const SearchOutcome& o, double sign) {
    const double size = o.gradient.stableNorm();  // its square may overflow
    return {sign * o.point.norm(), toVector(o.point), toVector(-o.gradient / size), size};
}

// The design point taken first, then the other distinct points within the margin, nearest first;
// the taken one alone when the origin fails.
void keepDesignPoints(FormResult& result, const Searches& searches, double sign,
                      const FormOptions& options) {
    const auto& outcomes = searches.outcomes();
    const double nearest = outcomes[result.designStart].point.norm();
    std::vector<int> others;
    for (int i : searches.found())
        if (sign > 0 && !samePoint(outcomes[i].point, outcomes[result.designStart].point) &&
            outcomes[i].point.norm() <= nearest + options.margin)
            others.push_back(i);
    std::stable_sort(others.begin(), others.end(), [&](int a, int b) {
        return outcomes[a].point.norm() < outcomes[b].point.norm();
    });
    for (int i : others) result.designPoints.push_back(designPointOf(outcomes[i], sign));
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
    Searches searches(counted, settings, sign, result, options);
    searchEveryStart(searches, g.dimension, options);
    result.evaluations = counted.evaluations();
    result.designStart = nearestConverged(searches.outcomes());
    if (result.designStart < 0) {
        result.message = text::noDesignPoint(result.starts.front().message);
        return result;
    }
    takeDesignPoint(result, searches.outcomes()[result.designStart], sign);
    markOtherDesignPoints(result, searches.outcomes());
    keepDesignPoints(result, searches, sign, options);
    addSystemEstimate(result);
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
