#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "failure_statistics/wilson_interval.hpp"
#include "model/repetition_tally.hpp"
#include "rng/clsRNG.hpp"

namespace ferrolith {

// Repetitions that share a stream draw the same uniforms, so they are not independent. This
// treats each stream as one observation: the failure fraction over its repetitions' samples (the
// average of their fractions, as every repetition of a run has N samples).
struct StreamSpread {
    std::int64_t repeatedRepetitions = 0;  // repetitions whose stream an earlier one started
    int streams = 0;                       // k, the distinct streams
    // Set when k >= 2: the mean of the stream averages.
    std::optional<double> mean;
    // Set when k >= 2 and the stream averages are not all the same: mean +- t(0.975, k - 1)
    // s / sqrt(k), clipped to [0, 1]. Without spread there is nothing to estimate it from.
    std::optional<ProbabilityInterval> interval;
};

// Seeds must lie in 0 to largestRepetitionSeed and every tally hold samples.
StreamSpread streamSpread(std::span<const RepetitionTally> tallies);

// The spread of k independent streams' average failure fractions, in stream order; none of them
// repeated.
StreamSpread averagesSpread(std::span<const double> averages);

}  // namespace ferrolith
