#pragma once

#include "model/beam_math.hpp"

// One-lane entry points into the AVX2 kernels; compiled for AVX2, called only when supported().
namespace ferrolith::math::avx2 {

// Whether this processor runs them; defined outside the AVX2 code.
bool supported();
double log(double x);
double exp(double x);
double pow(double x, double y);
SinCos sincos(double x);

}  // namespace ferrolith::math::avx2
