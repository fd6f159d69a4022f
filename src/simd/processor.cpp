#include "simd/processor.hpp"

namespace ferrolith::simd {

// Here, in code built for the baseline processor: the check must run on any processor.
bool hasAvx512() {
    static const bool yes = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
                            __builtin_cpu_supports("avx512f") &&
                            __builtin_cpu_supports("avx512dq") &&
                            __builtin_cpu_supports("avx512vl");
    return yes;
}

}  // namespace ferrolith::simd
