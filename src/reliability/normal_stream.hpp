#pragma once

#include <boost/random/normal_distribution.hpp>
#include <cstdint>
#include <pcg_random.hpp>

namespace ferrolith::reliability {

// Independent standard normals: one 64-bit PCG generator for each (seed, stream) pair. Distinct
// stream numbers give distinct increments, so no two streams of a seed are the same sequence, and
// the seed and the stream number are both mixed into the starting state, so that streams of
// neighbouring numbers do not start from related states. The normals come from Boost.Random's
// ziggurat, which draws the tails beyond its last layer exactly (Marsaglia's exponential tail
// method): no bound on how far out a normal may fall, at a few nanoseconds a draw.
class NormalStream {
  public:
    NormalStream(std::uint64_t seed, std::uint64_t stream);

    double next() { return normal_(engine_); }
    // A uniform in [0, 1) from the same generator, for a mixture's pick or a chain's accept-or-
    // reject step: the top 53 bits of its next output.
    double uniform() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

  private:
    pcg64 engine_;
    boost::random::normal_distribution<double> normal_;
};

// The stream numbers of the importance sampler's blocks start here, away from the Monte Carlo
// repetitions' streams 1, 2, 3, ...
inline constexpr std::uint64_t importanceStreamBase = std::uint64_t{1} << 62;

// Subset simulation's streams start here, below the importance sampler's and far above the
// repetitions': subsetStream numbers each chain of each level of each run within this range.
inline constexpr std::uint64_t subsetStreamBase = std::uint64_t{1} << 61;

}  // namespace ferrolith::reliability
