#include <immintrin.h>

#include "engine/pcg_jump.hpp"
#include "engine/pick_masks.hpp"

namespace ferrolith::simd::avx512 {

void fillPickMasks(const SystemRandom& from, int count, int stride, std::int64_t* out) {
    // Lane l starts l strides on; each step takes every lane eight strides on.
    const PcgJump oneStride(from, stride);
    const PcgJump eightStrides(from, 8 * stride);
    alignas(64) std::uint64_t lane[8];
    lane[0] = from.state();
    for (int l = 1; l < 8; ++l) lane[l] = oneStride(lane[l - 1]);
    __m512i state = _mm512_load_si512(lane);
    const __m512i mul = _mm512_set1_epi64(static_cast<std::int64_t>(eightStrides.multiplier));
    const __m512i add = _mm512_set1_epi64(static_cast<std::int64_t>(eightStrides.increment));
    const __m512i low32 = _mm512_set1_epi64(0xFFFFFFFF);
    // The float of the top 24 bits is at most 0.5 exactly when the output is below 0x80000100.
    const __m512i firstBelow = _mm512_set1_epi64(0x80000100LL);
    for (int k = 0; k < count; k += 8) {
        // PCG32's output (XSH-RR): the rotation of the low 32 bits of each lane by its top 5.
        const __m512i x =
            _mm512_srli_epi64(_mm512_xor_si512(_mm512_srli_epi64(state, 18), state), 27);
        const __m512i output =
            _mm512_and_si512(_mm512_rorv_epi32(x, _mm512_srli_epi64(state, 59)), low32);
        _mm512_storeu_si512(out + k,
                            _mm512_movm_epi64(_mm512_cmplt_epu64_mask(output, firstBelow)));
        state = _mm512_add_epi64(_mm512_mullo_epi64(state, mul), add);
    }
}

}  // namespace ferrolith::simd::avx512
