#pragma once

#include <boost/random/normal_distribution.hpp>
#include <cstdint>
#include <pcg_random.hpp>

namespace ferrolith::reliability {

// SplitMix64's output after x: x moved on by the golden gamma, then finalised so that every input
// bit reaches every output bit. The streams' seeds are mixed through it.
std::uint64_t splitMix(std::uint64_t x);

// The starting state of a 64-bit PCG generator for a (seed, stream) pair: the seed and the stream
// number both mixed in, so that streams of neighbouring numbers do not start from related states.
pcg_extras::pcg128_t pcgStartState(std::uint64_t seed, std::uint64_t stream);

// Standard normals one at a time from one 64-bit PCG generator for each (seed, stream) pair
// (distinct stream numbers give distinct increments), by Boost.Random's ziggurat. FORM's start
// directions come from here: they do not change with the sampling methods' draws (NormalStream).
class ScalarNormalStream {
  public:
    ScalarNormalStream(std::uint64_t seed, std::uint64_t stream)
        : engine_(pcgStartState(seed, stream), pcg_extras::pcg128_t(stream)) {}

    double next() { return normal_(engine_); }

  private:
    pcg64 engine_;
    boost::random::normal_distribution<double> normal_;
};

}  // namespace ferrolith::reliability
