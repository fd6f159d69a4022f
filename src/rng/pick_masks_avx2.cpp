#include "rng/pick_masks.hpp"
#include "rng/random_lanes_avx2.hpp"

namespace ferrolith::lanes {

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

}  // namespace ferrolith::lanes
