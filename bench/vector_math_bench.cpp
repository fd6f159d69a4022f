// Throughput of the vector math the kernels could call: SLEEF against glibc's libmvec, four
// AVX2 lanes a call. The kernels use whichever is faster; this is where that is measured.
#include <benchmark/benchmark.h>
#include <immintrin.h>
#include <sleef.h>

#include "simd/libmvec.hpp"

// libmvec's cosine, which the kernels do not call, by the same vector ABI name.
extern "C" __m256d _ZGVdN4v_cos(__m256d x);

namespace {

template <__m256d (*F)(__m256d)>
void unary(benchmark::State& state) {
    __m256d x = _mm256_setr_pd(0.1, 0.37, 0.62, 0.93);
    const __m256d step = _mm256_set1_pd(1e-9);
    for (auto _ : state) {
        // Eight independent calls, as a pack of samples makes them.
        for (int k = 0; k < 8; ++k) benchmark::DoNotOptimize(F(_mm256_add_pd(x, step)));
        x = _mm256_add_pd(x, step);
    }
    state.SetItemsProcessed(state.iterations() * 32);
}

__m256d sleefLog(__m256d x) { return Sleef_logd4_u35avx2(x); }
__m256d sleefSin(__m256d x) { return Sleef_sind4_u35avx2(x); }
__m256d sleefExp(__m256d x) { return Sleef_expd4_u10avx2(x); }
__m256d sleefSinCos(__m256d x) {
    const Sleef___m256d_2 r = Sleef_sincosd4_u35avx2(x);
    return _mm256_add_pd(r.x, r.y);
}
__m256d mvecSinAndCos(__m256d x) { return _mm256_add_pd(_ZGVdN4v_sin(x), _ZGVdN4v_cos(x)); }
__m256d sleefPow(__m256d x) { return Sleef_powd4_u10avx2(x, _mm256_set1_pd(2.5)); }
__m256d mvecPow(__m256d x) { return _ZGVdN4vv_pow(x, _mm256_set1_pd(2.5)); }

BENCHMARK(unary<sleefLog>)->Name("log/sleef_u35");
BENCHMARK(unary<_ZGVdN4v_log>)->Name("log/libmvec");
BENCHMARK(unary<sleefSin>)->Name("sin/sleef_u35");
BENCHMARK(unary<_ZGVdN4v_sin>)->Name("sin/libmvec");
BENCHMARK(unary<sleefSinCos>)->Name("sin_and_cos/sleef_u35_sincos");
BENCHMARK(unary<mvecSinAndCos>)->Name("sin_and_cos/libmvec_two_calls");
BENCHMARK(unary<sleefExp>)->Name("exp/sleef_u10");
BENCHMARK(unary<_ZGVdN4v_exp>)->Name("exp/libmvec");
BENCHMARK(unary<sleefPow>)->Name("pow/sleef_u10");
BENCHMARK(unary<mvecPow>)->Name("pow/libmvec");

}  // namespace
