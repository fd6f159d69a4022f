#include "run/repetition_avx2.hpp"

#include <immintrin.h>

#include <array>
#include <memory>
#include <vector>

#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "model/simd_pack.hpp"
#include "rng/pick_masks.hpp"
#include "rng/random_lanes_avx2.hpp"

namespace ferrolith::avx2 {

namespace {

constexpr int registers = 4;          // AVX2 registers a pack of samples fills
constexpr int lanes = 4 * registers;  // samples drawn side by side
using Lanes = simd::Pack<registers>;
constexpr int drawsPerSample = 3 * inputVariableCount;
constexpr int chunkSamples = 512;  // a whole number of packs, whose picks stay in the cache

// The next read of every sample of a pack.
Lanes read(__m256d (&state)[registers]) {
    return simd::each<registers>([&](int r) {
        state[r] = lanes::stepWhole(state[r]);
        return _mm256_mul_pd(state[r], _mm256_set1_pd(clsRNG::scale));
    });
}

// The first faulty lane and variable of a group of samples.
struct GroupFault {
    int lane = lanes;
    int variable = 0;
    std::string_view message;

    void note(unsigned laneMask, int variable, std::string_view message) {
        if (laneMask == 0) return;
        const int first = __builtin_ctz(laneMask);
        if (first < lane) *this = {first, variable, message};
    }
};

}  // namespace

RepetitionResult computeRepetition(const RepetitionInputs& in, SystemRandom stream,
                                   const SampleArrays* keep) {
    const int n = in.sampleSize;
    const int picksPerSample = in.picksPerSample();
    std::int64_t seed = repetitionSeed(stream.next());
    if (seed == 0) seed = 1;  // as clsRNG runs a seed of 0

    // Lane l of a pack starts at sample l + 1; after its 21 reads the next pack is
    // (lanes - 1) x 21 reads further on.
    __m256d start[registers];
    for (int r = 0; r < registers; ++r) {
        alignas(32) std::int64_t lane[4];
        for (int l = 0; l < 4; ++l)
            lane[l] = clsRNG::jump(seed, static_cast<std::uint64_t>(drawsPerSample) * (4 * r + l));
        start[r] = lanes::toDouble(_mm256_load_si256(reinterpret_cast<const __m256i*>(lane)));
    }
    const __m256i nextPack = _mm256_set1_epi64x(
        clsRNG::jump(1, static_cast<std::uint64_t>(drawsPerSample) * (lanes - 1)));

    // Picks of a chunk, variable by variable, so that a pack's lanes load side by side. The
    // stream holds them sample by sample, one per Box-Muller variable.
    const std::unique_ptr<std::int64_t[]> picks(
        new std::int64_t[static_cast<std::size_t>(picksPerSample) * chunkSamples]);
    // A Poisson mean of 10 or less is faulty at the variable's first draw.
    std::array<bool, inputVariableCount> poissonFault{};
    for (int i = 0; i < inputVariableCount; ++i)
        poissonFault[i] = in.branch[i] == Branch::Poisson && !(in.paramA[i] > 10.0);

    SampleSums sums;
    const Lanes pi(in.piValue);
    for (int chunkStart = 1; chunkStart <= n; chunkStart += chunkSamples) {
        const int chunkSize = std::min(chunkSamples, n - chunkStart + 1);
        for (int j = 0; j < picksPerSample; ++j) {
            SystemRandom first = stream;
            first.advance(static_cast<std::uint64_t>(j));
            lanes::fillPickMasks(first, chunkSize, picksPerSample, picks.get() + j * chunkSamples);
        }
        stream.advance(static_cast<std::uint64_t>(picksPerSample) * chunkSize);
        for (int g = 0; g < chunkSize; g += lanes) {
            const int valid = std::min(lanes, chunkSize - g);
            const unsigned validMask = (1u << valid) - 1;
            std::array<Lanes, inputVariableCount> v;
            GroupFault fault;
            int j = 0;
            for (int i = 0; i < inputVariableCount; ++i) {
                const Lanes u1 = read(start);
                const Lanes u2 = read(start);
                const Lanes u3 = read(start);
                const Lanes a(in.paramA[i]);
                const Lanes b(in.paramB[i]);
                const Branch branch = in.branch[i];
                if (branch == Branch::Gamma) {
                    const auto gamma = formulas::gammaValue(a, b, u1, u2, u3);
                    fault.note(simd::bits(gamma.overflow) & validMask, i, dataFaultMessage);
                    v[i] = gamma.value;
                } else if (branch == Branch::Gumbel) {
                    v[i] = formulas::gumbelValue(a, b, u1);
                } else {
                    // Lanes past the chunk's last sample read stale picks inside the buffer (a
                    // chunk is a whole number of packs); they are not kept.
                    const std::int64_t* at = picks.get() + std::size_t(j) * chunkSamples + g;
                    const simd::PackMask<registers> first = simd::eachMask<registers>([&](int r) {
                        return _mm256_castsi256_pd(
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 4 * r)));
                    });
                    ++j;
                    if (branch == Branch::LogNormal) {
                        v[i] = formulas::logNormalValue(a, b, u1, u2, pi, first);
                    } else if (branch == Branch::Poisson) {
                        if (poissonFault[i]) fault.note(validMask, i, poissonFaultMessage);
                        v[i] = formulas::poissonValue(a, b, u1, u2, pi, first);
                    } else {
                        v[i] = formulas::normalValue(a, b, u1, u2, pi, first);
                    }
                }
            }
            const int sample = chunkStart + g;
            if (fault.lane < lanes) {
                RepetitionResult faulty;
                faulty.fault = DataFault{fault.message, sample + fault.lane, fault.variable};
                return faulty;
            }
            const auto ls = limitStateValues(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
            const unsigned safeLanes = simd::bits(ls.resistance > ls.effect) & validMask;
            const Lanes effectSq = ls.effect * ls.effect;
            const Lanes resistSq = ls.resistance * ls.resistance;
            alignas(32) double e[lanes], r[lanes], e2[lanes], r2[lanes];
            for (int k = 0; k < registers; ++k) {
                _mm256_store_pd(e + 4 * k, ls.effect.v[k]);
                _mm256_store_pd(r + 4 * k, ls.resistance.v[k]);
                _mm256_store_pd(e2 + 4 * k, effectSq.v[k]);
                _mm256_store_pd(r2 + 4 * k, resistSq.v[k]);
            }
            // Summed in sample order, as the statistics of the run arrays sum them. The safe
            // indicators add up to whole numbers, exactly, in any grouping.
            for (int l = 0; l < valid; ++l) {
                sums.effect = sums.effect + e[l];
                sums.effectSq = e2[l] + sums.effectSq;
                sums.resist = sums.resist + r[l];
                sums.resistSq = r2[l] + sums.resistSq;
            }
            sums.safe = sums.safe + __builtin_popcount(safeLanes);
            if (keep) {
                for (int l = 0; l < valid; ++l) {
                    keep->effect[sample + l] = e[l];
                    keep->resist[sample + l] = r[l];
                    keep->safe[sample + l] = (safeLanes >> l) & 1 ? 1.0 : 0.0;
                }
            }
            for (__m256d& x : start)
                x = lanes::toDouble(lanes::mulMod(lanes::toInteger(x), nextPack));
        }
    }
    return RepetitionResult::fromSums(sums, n);
}

}  // namespace ferrolith::avx2
