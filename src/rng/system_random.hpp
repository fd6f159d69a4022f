#pragma once

#include <cstdint>
#include <pcg_random.hpp>

namespace ferrolith {

// The process's uniform single-precision source on [0, 1): PCG32, 24 random bits a float. It gives
// each repetition's seed and decides which value of a Box-Muller pair is returned.
class SystemRandom {
  public:
    SystemRandom() { reseedFromClock(); }
    explicit SystemRandom(std::uint64_t seed) { reseed(seed); }

    void reseed(std::uint64_t seed) { engine_.seed(seed); }
    void reseedFromClock();

    float next() { return toFloat(nextBits()); }

    // The 24 bits behind the next float.
    std::uint32_t nextBits() { return engine_() >> 8; }

    // Skips k draws in O(log k) steps.
    void advance(std::uint64_t k) { engine_.advance(k); }

    static float toFloat(std::uint32_t bits) { return static_cast<float>(bits) * 0x1p-24f; }

    // A Box-Muller draw returns its first value when the float is at most 0.5.
    static bool picksFirst(std::uint32_t bits) { return bits <= (1u << 23); }

    const pcg32& engine() const { return engine_; }

  private:
    pcg32 engine_;
};

}  // namespace ferrolith
