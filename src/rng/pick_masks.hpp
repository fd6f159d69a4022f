#pragma once

#include <cstdint>

#include "rng/system_random.hpp"

namespace ferrolith::lanes {

// The Box-Muller picks of every stride-th draw of a stream, count of them from its next draw on,
// as lane masks (-1: the first value of the pair, 0: the second): four copies of the generator,
// a stride apart, stepped four strides at a time in an AVX2 register. out has room for count
// rounded up to a multiple of 4. Call only on processors with AVX2.
void fillPickMasks(const SystemRandom& from, int count, int stride, std::int64_t* out);

}  // namespace ferrolith::lanes
