#pragma once

// Four doubles in an AVX2 register, with the operations the model's formulas use. Include only
// in translation units compiled for AVX2.
#include <immintrin.h>
#include <sleef.h>

namespace ferrolith::simd {

struct Vec4 {
    __m256d v;
    Vec4() = default;
    Vec4(__m256d x) : v(x) {}
    Vec4(double x) : v(_mm256_set1_pd(x)) {}
};

struct Mask4 {
    __m256d m;
};

inline Vec4 operator+(Vec4 a, Vec4 b) { return _mm256_add_pd(a.v, b.v); }
inline Vec4 operator-(Vec4 a, Vec4 b) { return _mm256_sub_pd(a.v, b.v); }
inline Vec4 operator*(Vec4 a, Vec4 b) { return _mm256_mul_pd(a.v, b.v); }
inline Vec4 operator/(Vec4 a, Vec4 b) { return _mm256_div_pd(a.v, b.v); }
inline Vec4 operator-(Vec4 a) { return _mm256_xor_pd(a.v, _mm256_set1_pd(-0.0)); }

inline Mask4 operator>(Vec4 a, Vec4 b) { return {_mm256_cmp_pd(a.v, b.v, _CMP_GT_OQ)}; }
inline Mask4 operator|(Mask4 a, Mask4 b) { return {_mm256_or_pd(a.m, b.m)}; }
inline Mask4 operator&(Mask4 a, Mask4 b) { return {_mm256_and_pd(a.m, b.m)}; }

inline Vec4 select(Mask4 m, Vec4 ifTrue, Vec4 ifFalse) {
    return _mm256_blendv_pd(ifFalse.v, ifTrue.v, m.m);
}
inline Mask4 isInfinite(Vec4 a) {
    const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a.v);
    return {_mm256_cmp_pd(magnitude, _mm256_set1_pd(__builtin_inf()), _CMP_EQ_OQ)};
}
inline Mask4 isFinite(Vec4 a) {
    const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a.v);
    return {_mm256_cmp_pd(magnitude, _mm256_set1_pd(__builtin_inf()), _CMP_LT_OQ)};
}
inline int bits(Mask4 m) { return _mm256_movemask_pd(m.m); }

inline Vec4 log(Vec4 x) { return Sleef_logd4_u10avx2(x.v); }
inline Vec4 exp(Vec4 x) { return Sleef_expd4_u10avx2(x.v); }
inline Vec4 pow(Vec4 x, Vec4 y) { return Sleef_powd4_u10avx2(x.v, y.v); }
inline Vec4 sqrt(Vec4 x) { return _mm256_sqrt_pd(x.v); }

struct SinCos4 {
    Vec4 sin;
    Vec4 cos;
};
inline SinCos4 sincos(Vec4 x) {
    const Sleef___m256d_2 r = Sleef_sincosd4_u10avx2(x.v);
    return {r.x, r.y};
}

}  // namespace ferrolith::simd
