#include "simd/math_kernels_avx2.hpp"

#include "simd/pack.hpp"

namespace ferrolith::math::avx2 {

namespace {
double lane0(const simd::Vec4& x) { return _mm256_cvtsd_f64(x.v[0]); }
}  // namespace

double log(double x) { return lane0(simd::log(simd::Vec4(x))); }
double exp(double x) { return lane0(simd::exp(simd::Vec4(x))); }
double pow(double x, double y) { return lane0(simd::pow(simd::Vec4(x), simd::Vec4(y))); }
SinCos sincos(double x) {
    const simd::PackSinCos<1> r = simd::sincos(simd::Vec4(x));
    return {lane0(r.sin), lane0(r.cos)};
}

}  // namespace ferrolith::math::avx2
