#pragma once

#include <cstdint>

namespace ferrolith {

// A run seeds rng once a repetition with a number from 0 to this.
inline constexpr int largestRepetitionSeed = 31328;

// The minimal standard generator of Park and Miller (16807 mod 2^31 - 1), stepped with Schrage's
// factorisation so that no intermediate leaves the 32-bit range. Values lie strictly in (0, 1).
class clsRNG {
  public:
    static constexpr std::int64_t multiplier = 16807;
    static constexpr std::int64_t modulus = 2147483647;
    static constexpr std::int64_t quotient = 127773;
    static constexpr std::int64_t remainder = 2836;
    static constexpr double scale = 1.0 / 2147483647.0;

    // Takes effect at the next read of rand(); a seed of 0 runs as 1.
    void seed(std::int16_t value) {
        seedValue_ = value;
        reseedPending_ = true;
    }

    double rand() {
        if (reseedPending_) {
            genState_ = startState(seedValue_);
            reseedPending_ = false;
        }
        return parkMillerNext();
    }

    // The state a seed starts the sequence from: a seed of 0 runs as 1.
    static constexpr std::int64_t startState(std::int64_t seed) { return seed == 0 ? 1 : seed; }

    // One step of the congruence on any state, as rand() takes it.
    static std::int64_t step(std::int64_t x) {
        const std::int64_t k = x / quotient;
        std::int64_t next = multiplier * (x - quotient * k) - remainder * k;
        if (next < 0) next += modulus;
        return next;
    }

    // The state k steps after x, in O(log k): x * 16807^k mod (2^31 - 1).
    static std::int64_t jump(std::int64_t x, std::uint64_t k);

    // The generator's state after the last read (0 until the first read after a seed).
    std::int64_t state() const { return genState_; }

  private:
    double parkMillerNext() {
        genState_ = step(genState_);
        return static_cast<double>(genState_) * scale;
    }

    std::int64_t seedValue_ = 0;
    bool reseedPending_ = false;
    std::int64_t genState_ = 0;
};

}  // namespace ferrolith
