#pragma once

#include <array>
#include <cstdint>
#include <pcg_random.hpp>
#include <span>

#include "reliability/normal_lanes.hpp"

namespace ferrolith::reliability {

// Independent standard normals for each (seed, stream) pair, drawn in vector lanes: eight
// xoshiro256++ generators seeded from the pair give the words of a 1024-layer ziggurat
// (ziggurat.hpp), whose inner rectangles take 99.6% of them in AVX2 registers; the rest finish the
// ziggurat one at a time from a 64-bit PCG generator of the pair (the wedges, and the tail beyond
// the last layer drawn exactly: no bound on how far out a normal may fall). The normals come a
// pass of the lanes (normalBatch) at a time, so next() and fill() give the same sequence in any
// mix, and a processor without AVX2 gives the same numbers one lane at a time.
class NormalStream {
  public:
    NormalStream(std::uint64_t seed, std::uint64_t stream);

    double next() {
        if (taken_ == normalBatch) refill();
        return batch_[static_cast<std::size_t>(taken_++)];
    }

    // The next out.size() normals, as that many calls of next() give them: the block draw for a
    // method that takes its normals many at a time.
    void fill(std::span<double> out);

    // A uniform in [0, 1) for a mixture's pick or a chain's accept-or-reject step, from a PCG
    // generator of the pair of its own, so that the normals do not depend on how many are taken:
    // the top 53 bits of its next output.
    double uniform() { return static_cast<double>(uniforms_() >> 11) * 0x1.0p-53; }

  private:
    void draw(double* out);  // one pass of the lanes
    void refill() {
        draw(batch_.data());
        taken_ = 0;
    }

    XoshiroLanes lanes_;
    pcg64 outliers_;
    pcg64 uniforms_;
    alignas(32) std::array<double, normalBatch> batch_{};
    int taken_ = normalBatch;
};

// The stream numbers of the importance sampler's blocks start here, away from the Monte Carlo
// repetitions' streams 1, 2, 3, ...
inline constexpr std::uint64_t importanceStreamBase = std::uint64_t{1} << 62;

// Subset simulation's streams start here, below the importance sampler's and far above the
// repetitions': subsetStream numbers each chain of each level of each run within this range.
inline constexpr std::uint64_t subsetStreamBase = std::uint64_t{1} << 61;

}  // namespace ferrolith::reliability
