#include "reliability/stream_repetition.hpp"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "reliability/normal_stream.hpp"
#include "simd/scalar_math.hpp"

namespace ferrolith::reliability {

StreamRepetition RepetitionSums::figures(std::uint64_t stream, int samples) const {
    StreamRepetition r;
    r.stream = stream;
    r.effectMean = meanFromSum(effect.sum, samples);
    r.effectStdDev = stdDevFromSums(effect.sum, effect.sumSq, samples);
    r.resistMean = meanFromSum(resist.sum, samples);
    r.resistStdDev = stdDevFromSums(resist.sum, resist.sumSq, samples);
    r.safeFraction = meanFromSum(safe, samples);
    r.tally = tally.collapse(0);
    return r;
}

RepetitionOutcome streamRepetition(const BeamSpace& space, std::uint64_t seed, int repetition,
                                   int samples) {
    if (math::hasVectorKernels()) return avx2::streamRepetition(space, seed, repetition, samples);
    return streamRepetitionOneAtATime(space, seed, repetition, samples);
}

RepetitionOutcome streamRepetitionOneAtATime(const BeamSpace& space, std::uint64_t seed,
                                             int repetition, int samples) {
    const auto stream = static_cast<std::uint64_t>(repetition);
    NormalStream normals(seed, stream);
    const auto dimension = static_cast<std::size_t>(space.dimension());
    std::vector<double> block(largestDimension * streamBlockSamples);
    std::array<double, largestDimension> z{};
    RepetitionSums sums;
    for (int first = 1; first <= samples; first += streamBlockSamples) {
        normals.fill(std::span(block.data(), dimension * streamBlockSamples));
        for (int l = 0; l < std::min(streamBlockSamples, samples - first + 1); ++l) {
            const int s = first + l;
            for (std::size_t c = 0; c < dimension; ++c)
                z[c] = block[c * streamBlockSamples + static_cast<std::size_t>(l)];
            const PhysicalPoint point = space.physical(std::span(z.data(), dimension));
            if (point.fault) return {{}, StreamFault{*point.fault, repetition, s}};
            const auto values = effectAndResistance(point.values);
            const bool safe = values.resistance > values.effect;
            sums.effect.add(values.effect);
            sums.resist.add(values.resistance);
            sums.safe = sums.safe + (safe ? 1.0 : 0.0);
            sums.tally.add(s, point.values, !safe);
        }
    }
    return {sums.figures(stream, samples), std::nullopt};
}

}  // namespace ferrolith::reliability
