#pragma once

// Packs of K AVX2 registers of four doubles, with the operations the model's formulas use. Each
// operation runs over the K registers in turn, so the independent library calls of a pack keep
// the processor busy. Include only in translation units compiled for AVX2.
#include <immintrin.h>

#include <cstdint>

#include "simd/libmvec.hpp"

namespace ferrolith::simd {

template <int K>
struct Pack {
    __m256d v[K];
    Pack() = default;
    Pack(double x) {
        for (int k = 0; k < K; ++k) v[k] = _mm256_set1_pd(x);
    }
    explicit Pack(__m256d x) requires(K == 1) : v{x} {}
};

template <int K>
struct PackMask {
    __m256d m[K];
};

using Vec4 = Pack<1>;

template <int K, class F>
Pack<K> each(F f) {
    Pack<K> r;
    for (int k = 0; k < K; ++k) r.v[k] = f(k);
    return r;
}

template <int K, class F>
PackMask<K> eachMask(F f) {
    PackMask<K> r;
    for (int k = 0; k < K; ++k) r.m[k] = f(k);
    return r;
}

template <int K>
Pack<K> operator+(const Pack<K>& a, const Pack<K>& b) {
    return each<K>([&](int k) { return _mm256_add_pd(a.v[k], b.v[k]); });
}
template <int K>
Pack<K> operator-(const Pack<K>& a, const Pack<K>& b) {
    return each<K>([&](int k) { return _mm256_sub_pd(a.v[k], b.v[k]); });
}
template <int K>
Pack<K> operator*(const Pack<K>& a, const Pack<K>& b) {
    return each<K>([&](int k) { return _mm256_mul_pd(a.v[k], b.v[k]); });
}
template <int K>
Pack<K> operator/(const Pack<K>& a, const Pack<K>& b) {
    return each<K>([&](int k) { return _mm256_div_pd(a.v[k], b.v[k]); });
}
template <int K>
Pack<K> operator-(const Pack<K>& a) {
    return each<K>([&](int k) { return _mm256_xor_pd(a.v[k], _mm256_set1_pd(-0.0)); });
}

template <int K>
PackMask<K> operator>(const Pack<K>& a, const Pack<K>& b) {
    return eachMask<K>([&](int k) { return _mm256_cmp_pd(a.v[k], b.v[k], _CMP_GT_OQ); });
}
template <int K>
PackMask<K> operator|(const PackMask<K>& a, const PackMask<K>& b) {
    return eachMask<K>([&](int k) { return _mm256_or_pd(a.m[k], b.m[k]); });
}
template <int K>
PackMask<K> operator&(const PackMask<K>& a, const PackMask<K>& b) {
    return eachMask<K>([&](int k) { return _mm256_and_pd(a.m[k], b.m[k]); });
}

template <int K>
Pack<K> select(const PackMask<K>& m, const Pack<K>& ifTrue, const Pack<K>& ifFalse) {
    return each<K>([&](int k) { return _mm256_blendv_pd(ifFalse.v[k], ifTrue.v[k], m.m[k]); });
}
// The larger of a and b, as std::max(a, b) takes it: a unless a < b.
template <int K>
Pack<K> larger(const Pack<K>& a, const Pack<K>& b) {
    return select(b > a, b, a);
}
template <int K>
PackMask<K> isInfinite(const Pack<K>& a) {
    return eachMask<K>([&](int k) {
        const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a.v[k]);
        return _mm256_cmp_pd(magnitude, _mm256_set1_pd(__builtin_inf()), _CMP_EQ_OQ);
    });
}
template <int K>
PackMask<K> isFinite(const Pack<K>& a) {
    return eachMask<K>([&](int k) {
        const __m256d magnitude = _mm256_andnot_pd(_mm256_set1_pd(-0.0), a.v[k]);
        return _mm256_cmp_pd(magnitude, _mm256_set1_pd(__builtin_inf()), _CMP_LT_OQ);
    });
}
// Lane masks stored as 64-bit integers (-1 true, 0 false), 4 x K of them from at.
template <int K>
PackMask<K> loadMask(const std::int64_t* at) {
    return eachMask<K>([&](int k) {
        return _mm256_castsi256_pd(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 4 * k)));
    });
}
// 4 x K doubles from at, lane 0 first, and back.
template <int K>
Pack<K> load(const double* at) {
    return each<K>([&](int k) { return _mm256_loadu_pd(at + 4 * k); });
}
template <int K>
void store(const Pack<K>& x, double* at) {
    for (int k = 0; k < K; ++k) _mm256_storeu_pd(at + 4 * k, x.v[k]);
}
// |x|.
template <int K>
Pack<K> abs(const Pack<K>& x) {
    return each<K>([&](int k) { return _mm256_andnot_pd(_mm256_set1_pd(-0.0), x.v[k]); });
}
// The lanes of x where the mask is set, +0.0 elsewhere.
template <int K>
Pack<K> keepWhere(const PackMask<K>& m, const Pack<K>& x) {
    return each<K>([&](int k) { return _mm256_and_pd(m.m[k], x.v[k]); });
}
// Lanes 0 to count - 1 set.
template <int K>
PackMask<K> firstLanes(int count) {
    return eachMask<K>([&](int k) {
        const __m256i index = _mm256_setr_epi64x(4 * k, 4 * k + 1, 4 * k + 2, 4 * k + 3);
        return _mm256_castsi256_pd(_mm256_cmpgt_epi64(_mm256_set1_epi64x(count), index));
    });
}
template <int K>
PackMask<K> notGreater(const Pack<K>& a, const Pack<K>& b) {
    return eachMask<K>([&](int k) { return _mm256_cmp_pd(a.v[k], b.v[k], _CMP_NGT_UQ); });
}

// One bit a lane, lane 0 lowest.
template <int K>
std::uint64_t bits(const PackMask<K>& m) {
    static_assert(K <= 16);
    std::uint64_t r = 0;
    for (int k = 0; k < K; ++k)
        r |= static_cast<std::uint64_t>(_mm256_movemask_pd(m.m[k])) << (4 * k);
    return r;
}

// Registers first .. first + J - 1 of a pack.
template <int J, int K>
Pack<J> part(const Pack<K>& x, int first) {
    return each<J>([&](int k) { return x.v[first + k]; });
}
template <int J, int K>
PackMask<J> part(const PackMask<K>& x, int first) {
    return eachMask<J>([&](int k) { return x.m[first + k]; });
}

// The library kernels: glibc's libmvec, faster than SLEEF for each of them on this kind of
// processor (bench/vector_math_bench.cpp measures both).
template <int K>
Pack<K> log(const Pack<K>& x) {
    return each<K>([&](int k) { return _ZGVdN4v_log(x.v[k]); });
}
template <int K>
Pack<K> exp(const Pack<K>& x) {
    return each<K>([&](int k) { return _ZGVdN4v_exp(x.v[k]); });
}
template <int K>
Pack<K> sin(const Pack<K>& x) {
    return each<K>([&](int k) { return _ZGVdN4v_sin(x.v[k]); });
}
template <int K>
Pack<K> pow(const Pack<K>& x, const Pack<K>& y) {
    return each<K>([&](int k) { return _ZGVdN4vv_pow(x.v[k], y.v[k]); });
}
template <int K>
Pack<K> erfc(const Pack<K>& x) {
    return each<K>([&](int k) { return _ZGVdN4v_erfc(x.v[k]); });
}
template <int K>
Pack<K> sqrt(const Pack<K>& x) {
    return each<K>([&](int k) { return _mm256_sqrt_pd(x.v[k]); });
}

}  // namespace ferrolith::simd
