#include "reliability/normal_stream.hpp"

#include <algorithm>
#include <bit>

#include "reliability/scalar_normal_stream.hpp"
#include "reliability/ziggurat.hpp"
#include "simd/processor.hpp"
#include "simd/scalar_math.hpp"

namespace ferrolith::reliability {

namespace {

// The outliers' generator: the pair's stream with a bit set that no stream number reaches.
constexpr pcg_extras::pcg128_t outlierStreams = pcg_extras::pcg128_t(1) << 126;

}  // namespace

NormalStream::NormalStream(std::uint64_t seed, std::uint64_t stream)
    : lanes_(splitMix(splitMix(seed) ^ stream)),
      outliers_(pcgStartState(seed, stream), pcg_extras::pcg128_t(stream) | outlierStreams),
      uniforms_(pcgStartState(seed, stream), pcg_extras::pcg128_t(stream)) {}

void NormalStream::draw(double* out) {
    PassWords words;
    if (simd::hasAvx512())
        avx512::insideCandidates(lanes_, out, words);
    else if (math::hasVectorKernels())
        avx2::insideCandidates(lanes_, out, words);
    else
        insideCandidates(lanes_, out, words);
    // The outliers in slot order.
    for (std::uint64_t outside = ~words.inside; outside != 0; outside &= outside - 1) {
        const int slot = std::countr_zero(outside);
        out[slot] =
            finishOutlier(ZigguratCandidate(words.word[static_cast<std::size_t>(slot)]), outliers_);
    }
}

void NormalStream::fill(std::span<double> out) {
    std::size_t at = 0;
    const auto takeFromBatch = [&] {
        const std::size_t count = std::min(out.size() - at, std::size_t(normalBatch - taken_));
        std::copy_n(batch_.begin() + taken_, count, out.begin() + static_cast<std::ptrdiff_t>(at));
        taken_ += static_cast<int>(count);
        at += count;
    };
    takeFromBatch();
    // Whole passes straight into out.
    for (; out.size() - at >= normalBatch; at += normalBatch) draw(out.data() + at);
    if (at < out.size()) {
        refill();
        takeFromBatch();
    }
}

}  // namespace ferrolith::reliability
