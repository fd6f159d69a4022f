#pragma once

// One-lane entry points into libmvec's two-lane SSE2 kernels: what a processor without AVX2
// computes with. Built for the baseline processor.
namespace ferrolith::math::sse2 {

double log(double x);
double exp(double x);
double pow(double x, double y);
double sin(double x);

}  // namespace ferrolith::math::sse2
