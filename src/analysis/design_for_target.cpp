#include "analysis/design_for_target.hpp"

#include <algorithm>
#include <boost/math/tools/roots.hpp>
#include <cmath>

#include "analysis/estimate.hpp"
#include "analysis/law_quantile.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

// Root search steps; TOMS 748 needs a handful for a smooth curve.
constexpr std::uintmax_t mostRootSteps = 60;

// The study's inputs with the request's input moved to the first number a.
class MovedInput {
  public:
    MovedInput(const Study& study, const DesignRequest& request)
        : study_(study),
          inputs_(studyInputs(study)),
          index_(static_cast<std::size_t>(request.input)),
          keep_(request.keep) {
        typedFirst_ = inputs_.paramA[index_];
        typedSecond_ = inputs_.paramB[index_];
    }

    double typedFirst() const { return typedFirst_; }
    double typedSecond() const { return typedSecond_; }
    Branch branch() const { return inputs_.branch[index_]; }

    double secondAt(double a) const {
        return keep_ == KeptSpread::Variation ? typedSecond_ * (a / typedFirst_) : typedSecond_;
    }

    BeamInputs inputsAt(double a) const {
        BeamInputs moved = inputs_;
        moved.paramA[index_] = a;
        moved.paramB[index_] = secondAt(a);
        return moved;
    }

    StudyForm formAt(double a) const { return studyForm(study_, inputsAt(a)); }

    // FORM's beta as its estimate takes it; NaN where it found no design point. The curve and
    // the root search read beta alone, so FORM over the other period is left out.
    double betaAt(double a) const {
        const Estimate e = formEstimate(studyForm(inputsAt(a)), std::nullopt);
        return e.kind == EstimateKind::Value ? e.beta : std::numeric_limits<double>::quiet_NaN();
    }

  private:
    const Study& study_;
    BeamInputs inputs_;
    std::size_t index_;
    KeptSpread keep_;
    double typedFirst_ = 0.0;
    double typedSecond_ = 0.0;
};

DesignRange rangeOf(const DesignRequest& request, double typedFirst) {
    if (request.range) return *request.range;
    const double a = typedFirst * defaultRangeBelow;
    const double b = typedFirst * defaultRangeAbove;
    return {std::min(a, b), std::max(a, b)};
}

std::vector<CurvePoint> curveOver(const MovedInput& moved, DesignRange range) {
    std::vector<CurvePoint> curve(designCurvePoints);
    for (int i = 0; i < designCurvePoints; ++i) {
        const double t = static_cast<double>(i) / (designCurvePoints - 1);
        const double value = i + 1 == designCurvePoints
                                 ? range.upper
                                 : range.lower + t * (range.upper - range.lower);
        curve[static_cast<std::size_t>(i)] = {value, moved.betaAt(value)};
    }
    return curve;
}

// The first pair of neighbouring points whose betas lie on either side of the target (or one
// meets it): the target's bracket; none when the curve never crosses it.
std::optional<std::size_t> bracket(const std::vector<CurvePoint>& curve, double target) {
    for (std::size_t i = 0; i + 1 < curve.size(); ++i) {
        const double m0 = curve[i].beta - target;
        const double m1 = curve[i + 1].beta - target;
        if (std::isfinite(m0) && std::isfinite(m1) && (m0 * m1 <= 0.0)) return i;
    }
    return std::nullopt;
}

// The point of the curve whose beta is nearest the target.
const CurvePoint& nearest(const std::vector<CurvePoint>& curve, double target) {
    const auto miss = [target](const CurvePoint& p) {
        return std::isfinite(p.beta) ? std::abs(p.beta - target)
                                     : std::numeric_limits<double>::infinity();
    };
    return *std::min_element(curve.begin(), curve.end(),
                             [&](const auto& p, const auto& q) { return miss(p) < miss(q); });
}

// The first number in the bracket at which FORM's beta equals the target.
double rootIn(const MovedInput& moved, const CurvePoint& low, const CurvePoint& high,
              double target) {
    if (low.beta == target) return low.value;
    if (high.beta == target) return high.value;
    const auto miss = [&](double a) { return moved.betaAt(a) - target; };
    std::uintmax_t steps = mostRootSteps;
    const auto [a, b] = boost::math::tools::toms748_solve(
        miss, low.value, high.value, low.beta - target, high.beta - target,
        boost::math::tools::eps_tolerance<double>(30), steps);
    return (a + b) / 2.0;
}

DesignCheck checkAt(const MovedInput& moved, double value, const Study& study,
                    const DesignRequest& request) {
    const StudyForm form = moved.formAt(value);
    const LimitStateFunction g = form.space.limitState();
    const Estimate e = formEstimate(form, std::nullopt);
    DesignCheck check;
    check.formBeta = e.beta;
    check.formPf = e.failureProbability;
    check.sorm = sorm(g, form.form);
    SamplingOptions options;
    options.seed = study.seed.value_or(options.seed);
    options.samples = request.samples;
    options.threads = request.threads;
    options.targetCov = request.targetCov;
    check.sampling = importanceSampling(g, form.form, options);
    return check;
}

}  // namespace

std::optional<std::string> designRequestProblem(const Study& study, const DesignRequest& request) {
    const double typed = MovedInput(study, request).typedFirst();
    if (!request.range && typed == 0.0)
        return "The typed first number is 0: give the range to search over.";
    if (request.range &&
        !(std::isfinite(request.range->lower) && std::isfinite(request.range->upper) &&
          request.range->lower < request.range->upper))
        return "The range's first number must lie below its second.";
    if (request.keep == KeptSpread::Variation && typed == 0.0)
        return "The typed first number is 0: it has no coefficient of variation to keep.";
    return std::nullopt;
}

DesignForTarget designForTarget(const Study& study, const DesignRequest& request) {
    const MovedInput moved(study, request);
    DesignForTarget result;
    result.request = request;
    result.basis = study.target;
    result.target = study.target.index();
    result.typedFirst = moved.typedFirst();
    result.typedSecond = moved.typedSecond();
    result.range = rangeOf(request, result.typedFirst);
    result.curve = curveOver(moved, result.range);
    if (const auto i = bracket(result.curve, result.target)) {
        result.reached = true;
        result.value = rootIn(moved, result.curve[*i], result.curve[*i + 1], result.target);
        result.check = checkAt(moved, result.value, study, request);
        result.beta = result.check->formBeta;
    } else {
        const CurvePoint& best = nearest(result.curve, result.target);
        result.value = best.value;
        result.beta = best.beta;
    }
    result.second = moved.secondAt(result.value);
    result.mean = lawMean(moved.branch(), result.value, result.second);
    return result;
}

}  // namespace ferrolith
