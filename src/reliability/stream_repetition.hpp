#pragma once

#include <cstdint>
#include <optional>

#include "engine/tally_accumulator.hpp"
#include "model/sample_statistics.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/stream_monte_carlo.hpp"

namespace ferrolith::reliability {

// Samples drawn side by side, four packs of one stripe of the failure tally each. A block takes
// its normals from its stream a coordinate at a time: coordinate c of the block's sample l is its
// normal c x streamBlockSamples + l, and the last block takes as many as the others.
inline constexpr int streamBlockSamples = 4 * TallyAccumulator::stripes;

// One repetition's figures, or its first faulty draw in sample order.
struct RepetitionOutcome {
    StreamRepetition repetition;
    std::optional<StreamFault> fault;
};

// The sums of a repetition's samples, each added in sample order.
struct RepetitionSums {
    RunningSums effect;
    RunningSums resist;
    double safe = 0.0;  // whole numbers: exact in any grouping
    TallyAccumulator tally;

    StreamRepetition figures(std::uint64_t stream, int samples) const;
};

// Repetition `repetition` (1 to M) of `samples` samples, from stream `repetition` of the seed: in
// AVX2 lanes where the processor has them, otherwise one sample at a time.
RepetitionOutcome streamRepetition(const BeamSpace& space, std::uint64_t seed, int repetition,
                                   int samples);

// One sample at a time through BeamSpace::physical, which takes the C library's functions where
// the lanes take libmvec's: the same samples and failures, the sums to their last bits.
RepetitionOutcome streamRepetitionOneAtATime(const BeamSpace& space, std::uint64_t seed,
                                             int repetition, int samples);

namespace avx2 {
RepetitionOutcome streamRepetition(const BeamSpace& space, std::uint64_t seed, int repetition,
                                   int samples);
// The lanes' ln Phi(z) in one lane, for holding it against logNormalCdf.
double laneLogNormalCdf(double z);
}  // namespace avx2

}  // namespace ferrolith::reliability
