#pragma once

// One-lane entry points into libmvec's kernels. The avx2 set is compiled for AVX2 and called
// only when hasVectorKernels(); the sse2 set is what a processor without AVX2 computes with.
namespace ferrolith::math {

namespace avx2 {
double log(double x);
double exp(double x);
double pow(double x, double y);
double sin(double x);
}  // namespace avx2

namespace sse2 {
double log(double x);
double exp(double x);
double pow(double x, double y);
double sin(double x);
}  // namespace sse2

}  // namespace ferrolith::math
