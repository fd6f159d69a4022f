#pragma once

#include <cmath>

// Every logarithm, exponential, square root, sine and power of the model goes through here. The
// scalar functions evaluate glibc's vector kernels (libmvec) in one lane, so a draw computed one
// at a time and the same draw computed in a vector lane are the same double.
namespace ferrolith::math {

double log(double x);
double exp(double x);
double pow(double x, double y);
double sin(double x);

// Correctly rounded in hardware, scalar and vector alike.
inline double sqrt(double x) { return std::sqrt(x); }

// True when this processor runs the 4-lane AVX2 kernels; otherwise the 2-lane SSE2 ones serve.
bool hasVectorKernels();

}  // namespace ferrolith::math
