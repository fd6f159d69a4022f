#pragma once

#include <cstdint>
#include <memory>

#include "rng/system_random.hpp"

namespace ferrolith::simd {

// The Box-Muller picks of a chunk of samples as lane masks (-1: the first value of the pair, 0:
// the second), stored variable by variable so that the lanes of a pack load side by side. The
// stream holds them sample by sample, one per Box-Muller variable. Fill only on processors with
// AVX2.
class PickMasks {
  public:
    PickMasks(int picksPerSample, int chunkSamples);

    // The picks of count samples (at most chunkSamples) from the stream's next draw on; moves
    // the stream past them.
    void fill(SystemRandom& stream, int count);

    // The masks of the j-th Box-Muller variable of a sample, from sample index `from` of the
    // chunk on. Reading past the filled samples gives stale masks inside the buffer.
    const std::int64_t* at(int j, int from) const {
        return masks_.get() + static_cast<std::size_t>(j) * chunkSamples_ + from;
    }

  private:
    int picksPerSample_;
    int chunkSamples_;
    std::unique_ptr<std::int64_t[]> masks_;
};

// The picks of every stride-th draw of a stream, count of them from its next draw on: four
// copies of the generator a stride apart in each of two AVX2 registers. out has room for count
// rounded up to a multiple of 8.
void fillPickMasks(const SystemRandom& from, int count, int stride, std::int64_t* out);

namespace avx512 {
// The same masks from eight copies of the generator in one AVX-512 register, with its native 64-bit
// product and rotation. Only on processors with AVX-512 (simd::hasAvx512).
void fillPickMasks(const SystemRandom& from, int count, int stride, std::int64_t* out);
}  // namespace avx512

}  // namespace ferrolith::simd
