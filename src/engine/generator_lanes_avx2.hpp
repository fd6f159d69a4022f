#pragma once

// Four generator lanes in an AVX2 register, each lane a copy of a stream at its own place: the
// Park-Miller steps of clsRNG and the PCG32 draws of SystemRandom, giving exactly the values the
// scalar generators give. Include only in translation units compiled for AVX2.
#include <immintrin.h>

#include <cstdint>

#include "rng/clsRNG.hpp"
#include "rng/system_random.hpp"
#include "simd/pack.hpp"

namespace ferrolith::simd {

// x * a mod (2^31 - 1) in 64-bit lanes, for x and a below 2^31: the product folded at bit 31
// twice, then one conditional subtraction.
inline __m256i mulMod(__m256i x, __m256i a) {
    const __m256i m = _mm256_set1_epi64x(clsRNG::modulus);
    __m256i s = _mm256_mul_epu32(x, a);
    s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
    s = _mm256_add_epi64(_mm256_and_si256(s, m), _mm256_srli_epi64(s, 31));
    const __m256i wrapped = _mm256_cmpgt_epi64(s, _mm256_set1_epi64x(clsRNG::modulus - 1));
    return _mm256_sub_epi64(s, _mm256_and_si256(wrapped, m));
}

// A whole number below 2^52 between its double and its 64-bit integer, exactly, through the
// mantissa of 2^52.
inline __m256i toInteger(__m256d whole) {
    const __m256d twoTo52 = _mm256_set1_pd(0x1p52);
    return _mm256_xor_si256(_mm256_castpd_si256(_mm256_add_pd(whole, twoTo52)),
                            _mm256_castpd_si256(twoTo52));
}
inline __m256d toDouble(__m256i whole) {
    const __m256i twoTo52 = _mm256_set1_epi64x(0x4330000000000000LL);
    return _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(whole, twoTo52)),
                         _mm256_set1_pd(0x1p52));
}

// One rand read in every lane, on states held as doubles: 16807 x is below 2^46 and exact, its
// quotient by 2^31 - 1 is found exactly by flooring the product with the reciprocal (the
// fraction of a quotient is at least 2^-31, far above the product's rounding error), and the
// remainder is exact again. Returns the new state; its value is state x scale.
inline __m256d stepWhole(__m256d x) {
    const __m256d m = _mm256_set1_pd(static_cast<double>(clsRNG::modulus));
    const __m256d product =
        _mm256_mul_pd(x, _mm256_set1_pd(static_cast<double>(clsRNG::multiplier)));
    const __m256d quotient =
        _mm256_round_pd(_mm256_mul_pd(product, _mm256_set1_pd(1.0 / 2147483647.0)),
                        _MM_FROUND_TO_NEG_INF | _MM_FROUND_NO_EXC);
    // quotient x m is a whole number below 2^46, so the fused form is exact as well.
    return _mm256_fnmadd_pd(quotient, m, product);
}

// clsRNG's sequence read in the 4 x K lanes of a pack, one lane a sample: lane l reads the
// readsPerSample reads of sample l of the pack, and each pack starts where the last one's lanes
// together ended. K registers step side by side, so that the steps of a read do not wait for one
// another.
template <int K>
class GeneratorLanes {
  public:
    static constexpr int lanes = 4 * K;

    // start: the state before the first read, as clsRNG starts from its seed.
    GeneratorLanes(std::int64_t start, int readsPerSample)
        : nextPack_(_mm256_set1_epi64x(
              clsRNG::jump(1, static_cast<std::uint64_t>(readsPerSample) * (lanes - 1)))) {
        for (int r = 0; r < K; ++r) {
            alignas(32) std::int64_t lane[4];
            for (int l = 0; l < 4; ++l)
                lane[l] =
                    clsRNG::jump(start, static_cast<std::uint64_t>(readsPerSample) * (4 * r + l));
            state_[r] = toDouble(_mm256_load_si256(reinterpret_cast<const __m256i*>(lane)));
        }
    }

    // The next read of every lane.
    simd::Pack<K> read() {
        simd::Pack<K> u;
        for (int r = 0; r < K; ++r) {
            state_[r] = stepWhole(state_[r]);
            u.v[r] = _mm256_mul_pd(state_[r], _mm256_set1_pd(clsRNG::scale));
        }
        return u;
    }

    // After the last read of a pack's samples: on to the next pack.
    void nextPack() {
        for (__m256d& x : state_) x = toDouble(mulMod(toInteger(x), nextPack_));
    }

  private:
    __m256d state_[K];
    __m256i nextPack_;  // 16807 to the power of the reads the other lanes of a pack take
};

// The low 64 bits of a x b in every lane.
inline __m256i mulLow64(__m256i a, __m256i b) {
    const __m256i low = _mm256_mul_epu32(a, b);
    const __m256i cross = _mm256_add_epi64(_mm256_mul_epu32(_mm256_srli_epi64(a, 32), b),
                                           _mm256_mul_epu32(a, _mm256_srli_epi64(b, 32)));
    return _mm256_add_epi64(low, _mm256_slli_epi64(cross, 32));
}

// PCG32's output of a state (XSH-RR), in the low half of every lane.
inline __m256i pcgOutput(__m256i state) {
    const __m256i low32 = _mm256_set1_epi64x(0xFFFFFFFF);
    const __m256i x = _mm256_and_si256(
        _mm256_srli_epi64(_mm256_xor_si256(_mm256_srli_epi64(state, 18), state), 27), low32);
    const __m256i rot = _mm256_srli_epi64(state, 59);
    const __m256i left = _mm256_sllv_epi64(x, _mm256_sub_epi64(_mm256_set1_epi64x(32), rot));
    return _mm256_or_si256(_mm256_srlv_epi64(x, rot), _mm256_and_si256(left, low32));
}

}  // namespace ferrolith::simd
