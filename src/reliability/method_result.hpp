#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/run_result.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith::reliability {

// How a failure probability is computed: the design run, or one of the methods on the standard
// normal space of the sampler's draws.
enum class Method { MonteCarlo, Form, Sorm, ImportanceSampling };

// The methods' names, as the driver's --method takes them and the results files record them.
inline constexpr std::array<std::string_view, 4> methodNames = {"monte-carlo", "form", "sorm",
                                                                "importance-sampling"};

inline std::string_view methodName(Method m) { return methodNames[static_cast<std::size_t>(m)]; }

// What a run of a method other than the design run produced.
struct MethodResult {
    Method method = Method::Form;
    // Completed; Aborted by faulty data (the sampler's message was shown); Failed when a
    // parameter text did not convert (its message was shown).
    RunOutcome outcome = RunOutcome::Failed;
    Study study;      // the inputs as typed, with the seed importance sampling used
    int threads = 1;  // of importance sampling
    std::optional<StudyForm> form;
    std::optional<SormResult> sorm;
    std::optional<ImportanceSamplingResult> sampling;
    std::string report;  // the plain-text report of the method

    // FORM ran to the end of its search without a design point.
    bool notConverged() const {
        return outcome == RunOutcome::Completed && form && !form->form.converged;
    }
};

}  // namespace ferrolith::reliability
