#pragma once

#include "engine/repetition.hpp"

// The vector kernel: sixteen samples at a time, one per lane of four AVX2 registers. Compiled
// for AVX2 and called only on processors that have it.
namespace ferrolith::avx2 {

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep);

}  // namespace ferrolith::avx2
