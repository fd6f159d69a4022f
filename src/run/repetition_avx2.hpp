#pragma once

#include "run/repetition.hpp"

// The vector kernel: four samples at a time, one per lane. Compiled for AVX2 and called only
// on processors that have it.
namespace ferrolith::avx2 {

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep);

}  // namespace ferrolith::avx2
