#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "failure_statistics/failure_figures.hpp"
#include "reliability/method_result.hpp"

namespace ferrolith {

enum class EstimateKind {
    Value,  // a failure probability and its beta
    Bound,  // nothing failed: only an upper bound on Pf and a lower one on beta, if any
    None,   // no figure: why says why
};

// One method's answer to the failure probability, as every view compares and judges it.
struct Estimate {
    reliability::Method method = reliability::Method::MonteCarlo;
    EstimateKind kind = EstimateKind::None;
    // Bound: Pf's upper and beta's lower bound, NaN when the method gives none.
    double failureProbability = std::numeric_limits<double>::quiet_NaN();
    double beta = std::numeric_limits<double>::quiet_NaN();
    std::optional<ProbabilityInterval> interval;  // Pf's 95% interval, of the sampling methods
    std::optional<double> variation;              // Pf's coefficient of variation
    std::int64_t count = 0;                       // samples, or limit-state evaluations
    bool countsEvaluations = false;               // FORM and SORM count evaluations
    std::optional<double> seconds;                // the time it took, when it completed
    std::string why;                              // None: why there is no figure
};

// The estimate of a run's failure figures: the design run's, or independent Monte Carlo's.
Estimate figuresEstimate(reliability::Method method, const FailureFigures& figures,
                         std::optional<double> seconds);

// FORM's estimate on a study.
Estimate formEstimate(const reliability::StudyForm& form, std::optional<double> seconds);

// A method's estimate; None for a method that did not complete.
Estimate methodEstimate(const reliability::MethodResult& result);

}  // namespace ferrolith
