#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/run_result.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"
#include "reliability/stream_monte_carlo.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith::reliability {

// How a failure probability is computed: the design run, or one of the methods on the standard
// normal space of the sampler's draws.
enum class Method { MonteCarlo, Form, Sorm, ImportanceSampling, IndependentMonteCarlo };

// The methods' names, as the driver's --method takes them and the results files record them.
inline constexpr std::array<std::string_view, 5> methodNames = {
    "monte-carlo", "form", "sorm", "importance-sampling", "independent-monte-carlo"};

inline std::string_view methodName(Method m) { return methodNames[static_cast<std::size_t>(m)]; }

// What a run of a method other than the design run produced.
struct MethodResult {
    Method method = Method::Form;
    // Completed; Aborted by faulty data (the sampler's message was shown); Failed when a
    // parameter or count text did not convert (its message was shown); Stopped when cancelled.
    RunOutcome outcome = RunOutcome::Failed;
    Study study;      // the inputs as typed, with the seed importance sampling used
    int threads = 1;  // of importance sampling
    std::optional<StudyForm> form;
    std::optional<SormResult> sorm;
    std::optional<ImportanceSamplingResult> sampling;
    std::optional<StreamMonteCarloResult> streams;  // independent Monte Carlo
    int sampleSize = 0;                             // N a repetition of independent Monte Carlo
    // Seconds: of independent Monte Carlo's sampling, or of FORM and the method after it.
    double elapsed = 0.0;
    std::string report;          // the plain-text report of the method
    std::int64_t startedAt = 0;  // when the method began: seconds since 1970-01-01 UTC

    // FORM, or a method that goes on from its design point, found none. Independent Monte Carlo
    // needs no design point.
    bool notConverged() const {
        return method != Method::IndependentMonteCarlo && outcome == RunOutcome::Completed &&
               form && !form->form.converged;
    }
};

}  // namespace ferrolith::reliability
