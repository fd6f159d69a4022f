#pragma once

#include <cstdint>

#include "rng/system_random.hpp"

namespace ferrolith::simd {

// The step that takes a PCG32 state k draws on: state * multiplier + increment (mod 2^64).
struct PcgJump {
    std::uint64_t multiplier = 1;
    std::uint64_t increment = 0;

    PcgJump(const SystemRandom& stream, int k) {
        for (int i = 0; i < k; ++i) {
            increment = increment * SystemRandom::multiplier + stream.increment();
            multiplier *= SystemRandom::multiplier;
        }
    }
    std::uint64_t operator()(std::uint64_t state) const { return state * multiplier + increment; }
};

}  // namespace ferrolith::simd
