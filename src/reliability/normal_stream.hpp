#pragma once

#include <cstdint>
#include <pcg_random.hpp>

#include "reliability/standard_normal.hpp"

namespace ferrolith::reliability {

// Independent standard normals: one 64-bit PCG generator for each (seed, stream) pair. Distinct
// stream numbers give distinct increments, so no two streams of a seed are the same sequence, and
// the seed and the stream number are both mixed into the starting state, so that streams of
// neighbouring numbers do not start from related states.
class NormalStream {
  public:
    NormalStream(std::uint64_t seed, std::uint64_t stream);

    double next() { return normalFromBits(engine_()); }

  private:
    pcg64 engine_;
};

// The stream numbers of the importance sampler's blocks start here, away from the Monte Carlo
// repetitions' streams 1, 2, 3, ...
inline constexpr std::uint64_t importanceStreamBase = std::uint64_t{1} << 62;

}  // namespace ferrolith::reliability
