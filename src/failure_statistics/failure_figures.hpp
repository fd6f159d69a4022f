#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "failure_statistics/input_importance.hpp"
#include "failure_statistics/stream_spread.hpp"
#include "failure_statistics/wilson_interval.hpp"
#include "model/repetition_tally.hpp"

namespace ferrolith {

// Where the run stood when the figures were taken.
enum class RunStatus {
    Running,    // more repetitions are to come
    Completed,  // every repetition done
    Aborted,    // faulty data ended the run; the figures cover the repetitions before it
};

// The failure statistics of a run over its completed repetitions. Every figure is a number;
// figure_text.hpp writes them.
struct FailureFigures {
    RunStatus status = RunStatus::Running;
    int repetitions = 0;         // completed
    int plannedRepetitions = 0;  // M
    std::int64_t samples = 0;
    std::int64_t fewestSamples = 0;  // of a repetition; every repetition of a run has N
    std::int64_t failures = 0;
    double failureProbability = 0.0;          // failures / samples
    ProbabilityInterval wilson;               // 95% Wilson score interval of it
    std::optional<double> variation;          // coefficient of variation; none without failures
    double reliabilityIndex = 0.0;            // -Phi^-1(Pf); +infinity without failures
    ProbabilityInterval reliabilityInterval;  // from the Wilson bounds (upper from the lower)
    std::optional<double> returnPeriod;       // samples / failures; none without failures
    StreamSpread streams;
    std::vector<InputImportance> importance;  // empty without failures
};

// Below this many samples a repetition the first sample of each repetition biases Pf: a seed of
// at most 31328 keeps the first uniform after it below 0.2452, so that sample comes from a corner
// of the input space, and the bias falls only as 1/N.
inline constexpr std::int64_t fewSamplesLimit = 100;

// Why tallies cannot give figures, in one line, or empty when they can: none at all, a tally
// without samples, failures outside 0 to samples, a seed outside 0 to largestRepetitionSeed.
std::string_view talliesProblem(std::span<const RepetitionTally> tallies);

// The figures of tallies[0 .. k) (repetitions 1 to k, in order) of a run of plannedRepetitions;
// none when talliesProblem names a problem.
std::optional<FailureFigures> failureFigures(std::span<const RepetitionTally> tallies,
                                             int plannedRepetitions, RunStatus status);

// The estimate after each completed repetition, for the convergence chart.
struct ConvergencePoint {
    std::int64_t samples = 0;
    double failureProbability = 0.0;
    ProbabilityInterval wilson;
};

// One point a tally; empty when talliesProblem names a problem.
std::vector<ConvergencePoint> convergence(std::span<const RepetitionTally> tallies);

}  // namespace ferrolith
