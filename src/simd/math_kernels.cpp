#include "simd/math_kernels.hpp"

#include <emmintrin.h>

#include "simd/libmvec.hpp"
#include "simd/scalar_math.hpp"

namespace ferrolith::math {

// Here, in code built for the baseline processor: the check must run on any processor.
bool hasVectorKernels() {
    static const bool yes = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
    return yes;
}

double sse2::log(double x) { return _mm_cvtsd_f64(_ZGVbN2v_log(_mm_set1_pd(x))); }
double sse2::exp(double x) { return _mm_cvtsd_f64(_ZGVbN2v_exp(_mm_set1_pd(x))); }
double sse2::sin(double x) { return _mm_cvtsd_f64(_ZGVbN2v_sin(_mm_set1_pd(x))); }
double sse2::pow(double x, double y) {
    return _mm_cvtsd_f64(_ZGVbN2vv_pow(_mm_set1_pd(x), _mm_set1_pd(y)));
}

namespace {

struct Kernels {
    double (*log)(double);
    double (*exp)(double);
    double (*pow)(double, double);
    double (*sin)(double);
};

// Chosen once, so that every caller in the process uses the same kernels.
const Kernels& kernels() {
    static const Kernels chosen = [] {
        if (hasVectorKernels()) return Kernels{avx2::log, avx2::exp, avx2::pow, avx2::sin};
        return Kernels{sse2::log, sse2::exp, sse2::pow, sse2::sin};
    }();
    return chosen;
}

}  // namespace

double log(double x) { return kernels().log(x); }
double exp(double x) { return kernels().exp(x); }
double pow(double x, double y) { return kernels().pow(x, y); }
double sin(double x) { return kernels().sin(x); }

}  // namespace ferrolith::math
