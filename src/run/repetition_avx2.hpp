#pragma once

#include "run/repetition.hpp"

// The vector kernel: four samples at a time, one per lane. Compiled for AVX2 and called only
// on processors that have it.
namespace ferrolith::avx2 {

// The Box-Muller picks of the next count draws of a stream, in stream order, as lane masks (-1:
// the first value of the pair, 0: the second): four copies of the generator, one draw apart,
// stepped four draws at a time. out has room for count rounded up to a multiple of 4.
void fillPickMasks(const SystemRandom& from, int count, std::int64_t* out);

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep);

}  // namespace ferrolith::avx2
