#include "simd/math_kernels.hpp"
#include "simd/pack.hpp"

namespace ferrolith::math::avx2 {

namespace {
double lane0(const simd::Vec4& x) { return _mm256_cvtsd_f64(x.v[0]); }
}  // namespace

double log(double x) { return lane0(simd::log(simd::Vec4(x))); }
double exp(double x) { return lane0(simd::exp(simd::Vec4(x))); }
double pow(double x, double y) { return lane0(simd::pow(simd::Vec4(x), simd::Vec4(y))); }
double sin(double x) { return lane0(simd::sin(simd::Vec4(x))); }

}  // namespace ferrolith::math::avx2
