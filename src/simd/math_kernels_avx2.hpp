#pragma once

#include "model/beam_math.hpp"

// One-lane entry points into the AVX2 kernels; compiled for AVX2, called only when
// hasVectorKernels().
namespace ferrolith::math::avx2 {

double log(double x);
double exp(double x);
double pow(double x, double y);
SinCos sincos(double x);

}  // namespace ferrolith::math::avx2
