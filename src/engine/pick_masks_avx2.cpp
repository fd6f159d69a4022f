#include "engine/generator_lanes_avx2.hpp"
#include "engine/pcg_jump.hpp"
#include "engine/pick_masks.hpp"
#include "simd/processor.hpp"

namespace ferrolith::simd {

void fillPickMasks(const SystemRandom& from, int count, int stride, std::int64_t* out) {
    // Lane l of two registers starts l strides on; each step takes every lane eight strides on.
    // Two registers, so that two chains of the generator's steps overlap.
    const PcgJump oneStride(from, stride);
    const PcgJump eightStrides(from, 8 * stride);
    alignas(32) std::uint64_t lane[8];
    lane[0] = from.state();
    for (int l = 1; l < 8; ++l) lane[l] = oneStride(lane[l - 1]);
    __m256i low = _mm256_load_si256(reinterpret_cast<const __m256i*>(lane));
    __m256i high = _mm256_load_si256(reinterpret_cast<const __m256i*>(lane + 4));
    const __m256i mul = _mm256_set1_epi64x(static_cast<std::int64_t>(eightStrides.multiplier));
    const __m256i add = _mm256_set1_epi64x(static_cast<std::int64_t>(eightStrides.increment));
    // The float of the top 24 bits is at most 0.5 exactly when the output is below 0x80000100.
    const __m256i firstBelow = _mm256_set1_epi64x(0x80000100LL);
    for (int k = 0; k < count; k += 8) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k),
                            _mm256_cmpgt_epi64(firstBelow, pcgOutput(low)));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + k + 4),
                            _mm256_cmpgt_epi64(firstBelow, pcgOutput(high)));
        low = _mm256_add_epi64(mulLow64(low, mul), add);
        high = _mm256_add_epi64(mulLow64(high, mul), add);
    }
}

PickMasks::PickMasks(int picksPerSample, int chunkSamples)
    : picksPerSample_(picksPerSample),
      chunkSamples_(chunkSamples),
      masks_(new std::int64_t[static_cast<std::size_t>(picksPerSample) * chunkSamples]) {}

void PickMasks::fill(SystemRandom& stream, int count) {
    for (int j = 0; j < picksPerSample_; ++j) {
        SystemRandom first = stream;
        first.advance(static_cast<std::uint64_t>(j));
        // The same masks either way; AVX-512's 64-bit product makes a draw a fraction of the cost.
        (hasAvx512() ? avx512::fillPickMasks : fillPickMasks)(
            first, count, picksPerSample_, masks_.get() + std::size_t(j) * chunkSamples_);
    }
    stream.advance(static_cast<std::uint64_t>(picksPerSample_) * count);
}

}  // namespace ferrolith::simd
