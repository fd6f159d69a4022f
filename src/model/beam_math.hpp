#pragma once

#include <cmath>

// Every logarithm, exponential, square root, sine, cosine and power of the model goes through
// here. The scalar functions evaluate SLEEF's vector kernels in one lane, so a draw computed one
// at a time and the same draw computed in a vector lane are the same double. The logarithm and the
// sine-cosine pair are SLEEF's 3.5-ulp kernels (they carry most of a run's time), the exponential
// and the power its 1-ulp ones.
namespace ferrolith::math {

double log(double x);
double exp(double x);
double pow(double x, double y);

// Correctly rounded in hardware, scalar and vector alike.
inline double sqrt(double x) { return std::sqrt(x); }

struct SinCos {
    double sin;
    double cos;
};
SinCos sincos(double x);

// True when this processor runs the 4-lane AVX2 kernels; otherwise the 2-lane SSE2 ones serve.
bool hasVectorKernels();

}  // namespace ferrolith::math
