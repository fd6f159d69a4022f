#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "failure_statistics/failure_figures.hpp"
#include "model/repetition_tally.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/method_progress.hpp"

namespace ferrolith::reliability {

struct StreamMonteCarloOptions {
    std::uint64_t seed = 1;
    int repetitions = 0;  // M, at least 1
    int samples = 0;      // N a repetition, at least 1
    int threads = 0;      // 0: as many as the machine has; the figures do not depend on it
};

// One repetition drawn from its own stream, with the figures of the run's iteration block.
struct StreamRepetition {
    std::uint64_t stream = 0;  // the repetition's number, 1 to M: no two share a stream
    double effectMean = 0.0;
    double effectStdDev = 0.0;
    double resistMean = 0.0;
    double resistStdDev = 0.0;
    double safeFraction = 0.0;
    // Samples, failures and input sums summed as a run's repetitions sum them. Its seed is 0:
    // the design's generator seeds do not apply (streamFigures counts every repetition as a
    // stream of its own).
    RepetitionTally tally;
};

// The first faulty draw, in repetition and sample order.
struct StreamFault {
    InputFault fault;
    int repetition = 0;  // 1 to M
    int sample = 0;      // 1 to N
};

struct StreamMonteCarloResult {
    std::uint64_t seed = 0;
    int plannedRepetitions = 0;
    std::vector<StreamRepetition> repetitions;  // completed, in order: all, or those before a fault
    std::optional<StreamFault> fault;
    std::string message;     // set when the counts allow no sample, or when cancelled
    bool cancelled = false;  // stopped through progress's cancel flag: no repetitions kept
};

// Plain Monte Carlo with the sampler's distributions: standard normals at the origin of the
// beam's space, mapped to the inputs as FORM maps them, M repetitions of N samples, repetition r
// drawn from stream r of the seed. A seed gives the same figures at any thread count. progress is
// told of the repetitions done and may cancel the method; the figures do not depend on it.
StreamMonteCarloResult streamMonteCarlo(const BeamSpace& space,
                                        const StreamMonteCarloOptions& options,
                                        const MethodProgress& progress = {});

// The failure figures of the completed repetitions, as failureFigures gives a run's, with every
// repetition its own stream; none without a completed repetition.
std::optional<FailureFigures> streamFigures(const StreamMonteCarloResult& result);

}  // namespace ferrolith::reliability
