#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "failure_statistics/repetition_tally.hpp"
#include "failure_statistics/wilson_interval.hpp"

namespace ferrolith {

// The largest seed a repetition gives rng.
inline constexpr int largestRepetitionSeed = 31328;

// The generator stream a seed starts: rng runs a seed of 0 as 1, so seeds 0 and 1 are one
// stream.
int generatorStream(std::int16_t seed);

// Repetitions that share a stream draw the same uniforms, so they are not independent. This
// treats each stream as one observation: the average failure fraction of its repetitions.
struct StreamSpread {
    std::int64_t repeatedRepetitions = 0;  // repetitions whose stream an earlier one started
    int streams = 0;                       // k, the distinct streams
    // Set when k >= 2: the mean of the stream averages and mean +- t(0.975, k - 1) s / sqrt(k),
    // clipped to [0, 1].
    std::optional<double> mean;
    std::optional<ProbabilityInterval> interval;
};

// Seeds must lie in 0 to largestRepetitionSeed and every tally hold samples.
StreamSpread streamSpread(std::span<const RepetitionTally> tallies);

// The spread of k independent streams' average failure fractions, in stream order; none of them
// repeated.
StreamSpread averagesSpread(std::span<const double> averages);

}  // namespace ferrolith
