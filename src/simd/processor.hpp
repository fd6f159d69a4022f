#pragma once

namespace ferrolith::simd {

// Whether this processor runs the *_avx512.cpp code: AVX-512 F, DQ and VL (64-bit products and
// lane masks in 256- and 512-bit registers), besides AVX2 and FMA.
bool hasAvx512();

}  // namespace ferrolith::simd
