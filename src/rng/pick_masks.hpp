#pragma once

#include <cstdint>

#include "rng/system_random.hpp"

namespace ferrolith::lanes {

// The Box-Muller picks of the next count draws of a stream, in stream order, as lane masks (-1:
// the first value of the pair, 0: the second): four copies of the generator, one draw apart,
// stepped four draws at a time in an AVX2 register. out has room for count rounded up to a
// multiple of 4. Call only on processors with AVX2.
void fillPickMasks(const SystemRandom& from, int count, std::int64_t* out);

}  // namespace ferrolith::lanes
