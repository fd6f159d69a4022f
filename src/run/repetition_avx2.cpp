#include "run/repetition_avx2.hpp"

#include <immintrin.h>

#include <array>
#include <memory>
#include <vector>

#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "model/sample_statistics.hpp"
#include "model/simd_pack.hpp"

namespace ferrolith::avx2 {

namespace {

constexpr int registers = 4;          // AVX2 registers a pack of samples fills
constexpr int lanes = 4 * registers;  // samples drawn side by side
using Lanes = simd::Pack<registers>;
constexpr int drawsPerSample = 3 * inputVariableCount;
constexpr int chunkSamples = 512;  // a whole number of packs, whose picks stay in the cache

// x * a mod (2^31 - 1) in 64-bit lanes, for x and a below 2^31: the product folded at bit 31
// twice, then one conditional subtraction.
__m256i mulMod(__m256i x, __m256i a) {
    const __m256i m = _mm256_set1_epi64x(clsRNG::modulus);
    __m256i s = _mm256_mul_epu32(x, a);
    s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
    s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
    const __m256i wrapped = _mm256_cmpgt_epi64(s, _mm256_set1_epi64x(clsRNG::modulus - 1));
    return _mm256_sub_epi64(s, _mm256_and_si256(wrapped, m));
}

// A generator state below 2^31 as clsRNG scales it: exactly converted through the mantissa of
// 2^52, then times the scale.
__m256d uniform(__m256i state) {
    const __m256i twoTo52 = _mm256_set1_epi64x(0x4330000000000000LL);
    const __m256d exact =
        _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(state, twoTo52)), _mm256_set1_pd(0x1p52));
    return _mm256_mul_pd(exact, _mm256_set1_pd(clsRNG::scale));
}

// One rand read in every lane: 16807 x mod (2^31 - 1), whose product stays below 2^46, so a
// single fold at bit 31 and one conditional subtraction finish it.
__m256i step(__m256i x) {
    const __m256i m = _mm256_set1_epi64x(clsRNG::modulus);
    __m256i s = _mm256_mul_epu32(x, _mm256_set1_epi64x(clsRNG::multiplier));
    s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
    const __m256i wrapped = _mm256_cmpgt_epi64(s, _mm256_set1_epi64x(clsRNG::modulus - 1));
    return _mm256_sub_epi64(s, _mm256_and_si256(wrapped, m));
}

// The next read of every sample of a pack.
Lanes read(__m256i (&state)[registers]) {
    return simd::each<registers>([&](int r) {
        state[r] = step(state[r]);
        return uniform(state[r]);
    });
}

// The low 64 bits of a x b in every lane.
__m256i mulLow64(__m256i a, __m256i b) {
    const __m256i low = _mm256_mul_epu32(a, b);
    const __m256i cross = _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(a, 32), b),
                                           _mm256_mul_epu32(a, _mm256_srli_epi64(b, 32)));
    return _mm256_add_epi64(low, _mm256_slli_epi64(cross, 32));
}

// PCG32's output of a state (XSH-RR), in the low half of every lane.
__m256i pcgOutput(__m256i state) {
    const __m256i low32 = _mm256_set1_epi64x(0xFFFFFFFF);
    const __m256i x = _mm256_and_si256(
        _mm256_srli_epi64(_mm256_xor_si256(_mm256_srli_epi64(state, 18), state), 27), low32);
    const __m256i rot = _mm256_srli_epi64(state, 59);
    const __m256i left = _mm256_sllv_epi64(x, _mm256_sub_epi64(_mm256_set1_epi64x(32), rot));
    return _mm256_or_si256(_mm256_srlv_epi64(x, rot), _mm256_and_si256(left, low32));
}

struct Sums {
    double effect = 0, effectSq = 0, resist = 0, resistSq = 0, safe = 0;
};

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

void fillPickMasks(const SystemRandom& from, int count, std::int64_t* out) {
    // Lane l starts l draws on; each step takes every lane four draws on.
    std::uint64_t m4 = 1, c4 = 0;
    for (int k = 0; k < 4; ++k) {
        c4 = c4 * SystemRandom::multiplier + from.increment();
        m4 *= SystemRandom::multiplier;
    }
    alignas(32) std::uint64_t lane[4];
    lane[0] = from.state();
    for (int l = 1; l < 4; ++l) lane[l] = lane[l - 1] * SystemRandom::multiplier + from.increment();
    __m256i state = _mm256_load_si256(reinterpret_cast<const __m256i*>(lane));
    const __m256i mul = _mm256_set1_epi64x(static_cast<std::int64_t>(m4));
    const __m256i add = _mm256_set1_epi64x(static_cast<std::int64_t>(c4));
    // The float of the top 24 bits is at most 0.5 exactly when the output is below 0x80000100.
    const __m256i firstBelow = _mm256_set1_epi64x(0x80000100LL);
    for (int k = 0; k < count; k += 4) {
        const __m256i pick = _mm256_cmpgt_epi64(firstBelow, pcgOutput(state));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k), pick);
        state = _mm256_add_epi64(mulLow64(state, mul), add);
    }
}

RepetitionResult computeRepetition(const RepetitionInputs& in, SystemRandom stream,
                                   const SampleArrays* keep) {
    const int n = in.sampleSize;
    const int picksPerSample = in.picksPerSample();
    std::int64_t seed = repetitionSeed(stream.next());
    if (seed == 0) seed = 1;  // as clsRNG runs a seed of 0

    // Lane l of a pack starts at sample l + 1; after its 21 reads the next pack is
    // (lanes - 1) x 21 reads further on.
    __m256i start[registers];
    for (int r = 0; r < registers; ++r) {
        alignas(32) std::int64_t lane[4];
        for (int l = 0; l < 4; ++l)
            lane[l] = clsRNG::jump(seed, static_cast<std::uint64_t>(drawsPerSample) * (4 * r + l));
        start[r] = _mm256_load_si256(reinterpret_cast<const __m256i*>(lane));
    }
    const __m256i nextPack = _mm256_set1_epi64x(
        clsRNG::jump(1, static_cast<std::uint64_t>(drawsPerSample) * (lanes - 1)));

    // Picks of a chunk in stream order (sample by sample, one per Box-Muller variable), then
    // variable by variable so that a pack's lanes load side by side.
    const std::size_t chunkPicks = static_cast<std::size_t>(picksPerSample) * chunkSamples;
    const std::unique_ptr<std::int64_t[]> streamPicks(new std::int64_t[chunkPicks + 4]);
    const std::unique_ptr<std::int64_t[]> picks(new std::int64_t[chunkPicks]);
    // A Poisson mean of 10 or less is faulty at the variable's first draw.
    std::array<bool, inputVariableCount> poissonFault{};
    for (int i = 0; i < inputVariableCount; ++i)
        poissonFault[i] = in.branch[i] == Branch::Poisson && !(in.paramA[i] > 10.0);

    Sums sums;
    RepetitionResult result;
    const Lanes pi(in.piValue);
    for (int chunkStart = 1; chunkStart <= n; chunkStart += chunkSamples) {
        const int chunkSize = std::min(chunkSamples, n - chunkStart + 1);
        fillPickMasks(stream, picksPerSample * chunkSize, streamPicks.get());
        stream.advance(static_cast<std::uint64_t>(picksPerSample) * chunkSize);
        for (int s = 0, k = 0; s < chunkSize; ++s) {
            for (int j = 0; j < picksPerSample; ++j) picks[j * chunkSamples + s] = streamPicks[k++];
        }
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
                result.fault = DataFault{fault.message, sample + fault.lane, fault.variable};
                return result;
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
            for (__m256i& x : start) x = mulMod(x, nextPack);
        }
    }
    result.effectMean = meanFromSum(sums.effect, n);
    result.effectStdDev = stdDevFromSums(sums.effect, sums.effectSq, n);
    result.resistMean = meanFromSum(sums.resist, n);
    result.resistStdDev = stdDevFromSums(sums.resist, sums.resistSq, n);
    result.safeFraction = meanFromSum(sums.safe, n);
    return result;
}

}  // namespace ferrolith::avx2
