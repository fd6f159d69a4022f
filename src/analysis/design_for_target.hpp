#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/study.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"

namespace ferrolith {

// What stays fixed while the design input's first number moves: its second number as typed, or
// its coefficient of variation (the second number scaled with the first).
enum class KeptSpread { SecondNumber, Variation };

// As the driver's --keep takes them and the results file records them.
inline constexpr std::array<std::string_view, 2> keptSpreadNames{"second", "cov"};

inline std::string_view keptSpreadName(KeptSpread keep) {
    return keptSpreadNames[static_cast<std::size_t>(keep)];
}

// The first numbers searched over, lower below upper.
struct DesignRange {
    double lower = 0.0;
    double upper = 0.0;
};

// The default range: from half to twice the typed first number.
inline constexpr double defaultRangeBelow = 0.5;
inline constexpr double defaultRangeAbove = 2.0;
// The curve's points, ends included: enough to bracket the target and draw a smooth line.
inline constexpr int designCurvePoints = 31;
// FORM's beta at the value found lies this close to the target.
inline constexpr double designBetaTolerance = 0.001;

struct DesignRequest {
    InputVariable input = InputVariable::BeamDepth;
    KeptSpread keep = KeptSpread::SecondNumber;
    std::optional<DesignRange> range;  // none: the default around the typed first number
    // Of the check by importance sampling at the value found; the seed is the study's.
    std::int64_t samples = reliability::defaultImportanceSamples;
    // The check stops once its CoV is at or below it, samples being then the most it draws.
    std::optional<double> targetCov;
    int threads = 0;
};

// FORM's beta at one first number of the input: the system's where it found several design
// points, as FORM's estimate takes it; NaN where it found none.
struct CurvePoint {
    double value = 0.0;
    double beta = std::numeric_limits<double>::quiet_NaN();
};

// The answer checked where it was found: FORM's beta and Pf there, SORM, importance sampling.
struct DesignCheck {
    double formBeta = std::numeric_limits<double>::quiet_NaN();
    double formPf = std::numeric_limits<double>::quiet_NaN();
    reliability::SormResult sorm;
    reliability::ImportanceSamplingResult sampling;
};

struct DesignForTarget {
    DesignRequest request;
    DesignRange range;  // as searched
    TargetBasis basis;  // the study's target
    double target = 0.0;
    double typedFirst = 0.0;
    double typedSecond = 0.0;
    std::vector<CurvePoint> curve;  // over the range, lower to upper
    // The first number at which FORM's beta meets the target; else the best in the range: the
    // curve's point whose beta is nearest the target.
    bool reached = false;
    double value = std::numeric_limits<double>::quiet_NaN();
    double second = std::numeric_limits<double>::quiet_NaN();  // the second number there
    double mean = std::numeric_limits<double>::quiet_NaN();    // of the input's law there
    double beta = std::numeric_limits<double>::quiet_NaN();    // FORM's there
    std::optional<DesignCheck> check;                          // when reached
};

// Why the request cannot be searched on the study, in one line; none when it can. The study's
// parameter texts must convert (studyInputs).
std::optional<std::string> designRequestProblem(const Study& study, const DesignRequest& request);

// The first number of the request's input at which FORM's beta equals the study's target index:
// FORM over the range's curve brackets it, TOMS 748 finds it, and SORM and importance sampling
// (the study's seed) check it there. Call designRequestProblem first; a study without a seed is
// checked with seed 1.
DesignForTarget designForTarget(const Study& study, const DesignRequest& request);

}  // namespace ferrolith
