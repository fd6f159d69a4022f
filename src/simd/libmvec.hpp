#pragma once

// glibc's vector math (libmvec), by the names of the x86-64 vector function ABI: 'd' four
// AVX2 lanes, 'b' two SSE2 lanes. Part of the C library; accurate to 4 ulp.
#include <immintrin.h>

extern "C" {
__m256d _ZGVdN4v_log(__m256d x);
__m256d _ZGVdN4v_exp(__m256d x);
__m256d _ZGVdN4v_sin(__m256d x);
__m256d _ZGVdN4v_erfc(__m256d x);
__m256d _ZGVdN4vv_pow(__m256d x, __m256d y);

__m128d _ZGVbN2v_log(__m128d x);
__m128d _ZGVbN2v_exp(__m128d x);
__m128d _ZGVbN2v_sin(__m128d x);
__m128d _ZGVbN2vv_pow(__m128d x, __m128d y);
}
