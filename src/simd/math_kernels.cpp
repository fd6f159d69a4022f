#include <emmintrin.h>
#include <sleef.h>

#include "model/beam_math.hpp"
#include "simd/math_kernels_avx2.hpp"

namespace ferrolith::math {

// Here, in code built for the baseline processor: the check must run on any processor.
bool hasVectorKernels() {
    static const bool yes = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return yes;
}

namespace {

double logSse2(double x) { return _mm_cvtsd_f64(Sleef_logd2_u35sse2(_mm_set1_pd(x))); }
double expSse2(double x) { return _mm_cvtsd_f64(Sleef_expd2_u10sse2(_mm_set1_pd(x))); }
double powSse2(double x, double y) {
    return _mm_cvtsd_f64(Sleef_powd2_u10sse2(_mm_set1_pd(x), _mm_set1_pd(y)));
}
SinCos sincosSse2(double x) {
    const Sleef___m128d_2 r = Sleef_sincosd2_u35sse2(_mm_set1_pd(x));
    return {_mm_cvtsd_f64(r.x), _mm_cvtsd_f64(r.y)};
}

struct Kernels {
    double (*log)(double);
    double (*exp)(double);
    double (*pow)(double, double);
    SinCos (*sincos)(double);
};

// Chosen once, so that every caller in the process uses the same kernels.
const Kernels& kernels() {
    static const Kernels chosen = [] {
        if (hasVectorKernels()) return Kernels{avx2::log, avx2::exp, avx2::pow, avx2::sincos};
        return Kernels{logSse2, expSse2, powSse2, sincosSse2};
    }();
    return chosen;
}

}  // namespace

double log(double x) { return kernels().log(x); }
double exp(double x) { return kernels().exp(x); }
double pow(double x, double y) { return kernels().pow(x, y); }
SinCos sincos(double x) { return kernels().sincos(x); }

}  // namespace ferrolith::math
