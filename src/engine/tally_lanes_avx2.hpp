#pragma once

// The failure tally of a repetition over packs of sixteen samples: lane l of a pack holds sample
// 16 p + l + 1, so each lane is one stripe of the tally and adds its samples in sample order.
// Include only in translation units compiled for AVX2.
#include <immintrin.h>

#include <array>

#include "engine/tally_accumulator.hpp"
#include "simd/pack.hpp"

namespace ferrolith::simd {

class TallyLanes {
  public:
    static constexpr int registers = TallyAccumulator::stripes / 4;
    using Lanes = Pack<registers>;
    using Mask = PackMask<registers>;

    TallyLanes() {
        for (int i = 0; i < inputVariableCount; ++i) sum_[i] = sumSquares_[i] = failedSum_[i] = 0.0;
    }

    // A pack's inputs, +0.0 in the lanes past the last sample, and its failed lanes.
    void add(const std::array<Lanes, inputVariableCount>& inputs, const Mask& failed,
             unsigned failedLanes, int valid) {
        for (int i = 0; i < inputVariableCount; ++i) {
            const Lanes& x = inputs[i];
            sum_[i] = sum_[i] + x;
            sumSquares_[i] = sumSquares_[i] + x * x;
            failedSum_[i] = failedSum_[i] + keepWhere(failed, x);
        }
        samples_ += valid;
        failures_ += __builtin_popcount(failedLanes);
    }

    TallyAccumulator stripes() const {
        TallyAccumulator t;
        for (int i = 0; i < inputVariableCount; ++i) {
            store(sum_[i], t.sum[i]);
            store(sumSquares_[i], t.sumSquares[i]);
            store(failedSum_[i], t.failedSum[i]);
        }
        t.samples = samples_;
        t.failures = failures_;
        return t;
    }

  private:
    static void store(const Lanes& x, TallyAccumulator::Stripes& to) {
        for (int k = 0; k < registers; ++k) _mm256_storeu_pd(to.data() + 4 * k, x.v[k]);
    }

    std::array<Lanes, inputVariableCount> sum_;
    std::array<Lanes, inputVariableCount> sumSquares_;
    std::array<Lanes, inputVariableCount> failedSum_;
    std::int64_t samples_ = 0;
    std::int64_t failures_ = 0;
};

}  // namespace ferrolith::simd
