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
    void reseedFromClock() { reseed(clockSeed()); }
    // A seed that differs from run to run: the system clock in nanoseconds.
    static std::uint64_t clockSeed();

    float next() { return toFloat(nextBits()); }

    // The 24 bits behind the next float.
    std::uint32_t nextBits() { return engine_() >> 8; }

    // Skips k draws in O(log k) steps.
    void advance(std::uint64_t k) { engine_.advance(k); }

    static float toFloat(std::uint32_t bits) { return static_cast<float>(bits) * 0x1p-24f; }

    // A Box-Muller draw returns its first value when the float is at most 0.5.
    static bool picksFirst(std::uint32_t bits) { return bits <= (1u << 23); }

    // The raw generator: the state that gives the next draw, and its step. Draw k is
    // output(state_k), with state_k+1 = state_k * multiplier + increment (mod 2^64).
    std::uint64_t state() const { return engine_.state(); }
    std::uint64_t increment() const { return engine_.increment(); }
    static constexpr std::uint64_t multiplier = 6364136223846793005ULL;

  private:
    // PCG32 with its state readable, for engines that step copies of it in vector lanes.
    class Engine : public pcg32 {
      public:
        using pcg32::pcg32;
        std::uint64_t state() const { return state_; }
        std::uint64_t increment() const { return pcg32::increment(); }
    };
    Engine engine_;
};

}  // namespace ferrolith
