#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "model/run_result.hpp"
#include "reliability/importance_sampling.hpp"
#include "reliability/sorm.hpp"
#include "reliability/stream_monte_carlo.hpp"
#include "reliability/study_form.hpp"
#include "reliability/subset_simulation.hpp"

namespace ferrolith::reliability {

// How a failure probability is computed: the design run, or one of the methods on the standard
// normal space of the sampler's draws.
enum class Method {
    MonteCarlo,
    Form,
    Sorm,
    ImportanceSampling,
    IndependentMonteCarlo,
    SubsetSimulation
};

// The methods' names, as the driver's --method takes them and the results files record them.
inline constexpr std::array<std::string_view, 6> methodNames = {
    "monte-carlo",      "form", "sorm", "importance-sampling", "independent-monte-carlo",
    "subset-simulation"};

inline std::string_view methodName(Method m) { return methodNames[static_cast<std::size_t>(m)]; }

// What each method adds to FORM of the study. A method that goes on from FORM's design point has
// nothing of its own when FORM found none, was cancelled, or did not get that far.
struct FormAnswer {};
struct SormAnswer {
    std::optional<SormResult> sorm;
};
struct ImportanceAnswer {
    std::optional<ImportanceSamplingResult> sampling;
};
struct StreamsAnswer {
    std::optional<StreamMonteCarloResult> streams;
    int sampleSize = 0;  // N a repetition
    // Of the completed repetitions, computed once they end; none without one.
    std::optional<FailureFigures> figures;
};

struct SubsetAnswer {
    std::optional<SubsetSimulationResult> subset;
};

// One alternative a method, in the order of Method after MonteCarlo.
using MethodAnswer =
    std::variant<FormAnswer, SormAnswer, ImportanceAnswer, StreamsAnswer, SubsetAnswer>;

// The answer a method starts empty with.
MethodAnswer emptyAnswer(Method method);

// What a run of a method other than the design run produced.
struct MethodResult {
    MethodAnswer answer;
    // Completed; Aborted by faulty data (the sampler's message was shown); Failed when a
    // parameter or count text did not convert (its message was shown); Stopped when cancelled.
    RunOutcome outcome = RunOutcome::Failed;
    Study study;      // the inputs as typed, with the seed the method used
    int threads = 1;  // of the sampling methods
    // FORM on the study's inputs: every method has it (independent Monte Carlo for the map
    // between its normals and the inputs); none when a parameter text does not convert.
    std::optional<StudyForm> form;
    // Seconds: of independent Monte Carlo's and subset simulation's sampling, or of FORM and the
    // method after it.
    double elapsed = 0.0;
    std::string report;          // the plain-text report of the method
    std::int64_t startedAt = 0;  // when the method began: seconds since 1970-01-01 UTC

    Method method() const { return static_cast<Method>(answer.index() + 1); }

    // Independent Monte Carlo and subset simulation sample the space without a design point.
    bool needsDesignPoint() const {
        return method() != Method::IndependentMonteCarlo && method() != Method::SubsetSimulation;
    }

    // FORM, or a method that goes on from its design point, found none.
    bool notConverged() const {
        return needsDesignPoint() && outcome == RunOutcome::Completed && form &&
               !form->form.converged;
    }
};

}  // namespace ferrolith::reliability
