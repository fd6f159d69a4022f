#include "run/repetition_avx2.hpp"

#include <immintrin.h>

#include <array>
#include <vector>

#include "model/distribution_formulas.hpp"
#include "model/limit_state.hpp"
#include "model/sample_statistics.hpp"
#include "model/simd4.hpp"

namespace ferrolith::avx2 {

namespace {

using simd::Mask4;
using simd::Vec4;

constexpr int lanes = 4;
constexpr int drawsPerSample = 3 * inputVariableCount;
constexpr int chunkSamples = 512;  // picks of one chunk stay in the first-level cache

// Park-Miller states of four samples in 64-bit lanes; every value below 2^31.
struct GeneratorLanes {
    __m256i x;

    // x * a mod (2^31 - 1) for a below 2^31, folding the product at bit 31 twice.
    static __m256i mulMod(__m256i x, __m256i a) {
        const __m256i m = _mm256_set1_epi64x(clsRNG::modulus);
        __m256i s = _mm256_mul_epu32(x, a);
        s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
        s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
        const __m256i wrapped = _mm256_cmpgt_epi64(s, _mm256_set1_epi64x(clsRNG::modulus - 1));
        return _mm256_sub_epi64(s, _mm256_and_si256(wrapped, m));
    }

    // One rand read in every lane: the new state times the scale, as clsRNG returns it.
    Vec4 rand() {
        x = mulMod(x, _mm256_set1_epi64x(clsRNG::multiplier));
        // The state below 2^52 becomes a double exactly through the mantissa of 2^52.
        const __m256i twoTo52 = _mm256_set1_epi64x(0x4330000000000000LL);
        const __m256d exact =
            _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(x, twoTo52)), _mm256_set1_pd(0x1p52));
        return Vec4(exact) * Vec4(clsRNG::scale);
    }
};

struct Sums {
    double effect = 0, effectSq = 0, resist = 0, resistSq = 0, safe = 0;
};

// The first faulty lane and variable of a group of samples.
struct GroupFault {
    int lane = lanes;
    int variable = 0;
    std::string_view message;

    void note(int laneMask, int variable, std::string_view message) {
        if (laneMask == 0) return;
        const int first = __builtin_ctz(static_cast<unsigned>(laneMask));
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

    // Lane l starts at sample l + 1; after a group's 21 reads it is 3 samples short.
    alignas(32) std::array<std::int64_t, lanes> start{};
    for (int l = 0; l < lanes; ++l)
        start[l] = clsRNG::jump(seed, std::uint64_t(drawsPerSample) * l);
    GeneratorLanes gen{_mm256_load_si256(reinterpret_cast<const __m256i*>(start.data()))};
    const __m256i skip = _mm256_set1_epi64x(clsRNG::jump(1, drawsPerSample * (lanes - 1)));

    // Box-Muller picks of a chunk, variable-major, as lane masks.
    std::vector<std::int64_t> picks(static_cast<std::size_t>(picksPerSample) * chunkSamples);
    // A Poisson mean of 10 or less is faulty at the variable's first draw.
    std::array<bool, inputVariableCount> poissonFault{};
    for (int i = 0; i < inputVariableCount; ++i)
        poissonFault[i] = in.branch[i] == Branch::Poisson && !(in.paramA[i] > 10.0);

    Sums sums;
    RepetitionResult result;
    const Vec4 pi(in.piValue);
    for (int chunkStart = 1; chunkStart <= n; chunkStart += chunkSamples) {
        const int chunkSize = std::min(chunkSamples, n - chunkStart + 1);
        for (int s = 0; s < chunkSize; ++s) {
            for (int j = 0; j < picksPerSample; ++j)
                picks[std::size_t(j) * chunkSamples + s] =
                    SystemRandom::picksFirst(stream.nextBits()) ? -1 : 0;
        }
        for (int g = 0; g < chunkSize; g += lanes) {
            const int valid = std::min(lanes, chunkSize - g);
            const int validMask = (1 << valid) - 1;
            std::array<Vec4, inputVariableCount> v;
            GroupFault fault;
            int j = 0;
            for (int i = 0; i < inputVariableCount; ++i) {
                const Vec4 u1 = gen.rand();
                const Vec4 u2 = gen.rand();
                const Vec4 u3 = gen.rand();
                const Vec4 a(in.paramA[i]);
                const Vec4 b(in.paramB[i]);
                const Branch branch = in.branch[i];
                if (branch == Branch::Gamma) {
                    const auto gamma = formulas::gammaValue(a, b, u1, u2, u3);
                    fault.note(simd::bits(gamma.overflow) & validMask, i, dataFaultMessage);
                    v[i] = gamma.value;
                } else if (branch == Branch::Gumbel) {
                    v[i] = formulas::gumbelValue(a, b, u1);
                } else {
                    // Picks past the chunk's last sample fall in lanes that are not kept.
                    const std::size_t at = std::size_t(j) * chunkSamples + std::size_t(g);
                    const Mask4 first{_mm256_castsi256_pd(
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(picks.data() + at)))};
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
            const int safeLanes = simd::bits(ls.resistance > ls.effect);
            alignas(32) double e[lanes];
            alignas(32) double r[lanes];
            _mm256_store_pd(e, ls.effect.v);
            _mm256_store_pd(r, ls.resistance.v);
            // Summed in sample order, as the statistics of the run arrays sum them.
            for (int l = 0; l < valid; ++l) {
                const double safe = (safeLanes >> l) & 1 ? 1.0 : 0.0;
                sums.effect = sums.effect + e[l];
                sums.effectSq = e[l] * e[l] + sums.effectSq;
                sums.resist = sums.resist + r[l];
                sums.resistSq = r[l] * r[l] + sums.resistSq;
                sums.safe = sums.safe + safe;
                if (keep) {
                    keep->effect[sample + l] = e[l];
                    keep->resist[sample + l] = r[l];
                    keep->safe[sample + l] = safe;
                }
            }
            gen.x = GeneratorLanes::mulMod(gen.x, skip);
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
