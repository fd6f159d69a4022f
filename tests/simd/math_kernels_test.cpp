#include "simd/math_kernels.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "simd/scalar_math.hpp"

namespace ferrolith {
namespace {

// Within n units in the last place of the correctly rounded value, which long double stands for.
void expectUlps(double got, long double exact, int n, const char* what, double x) {
    const double nearest = static_cast<double>(exact);
    const double ulp = std::nextafter(std::fabs(nearest), INFINITY) - std::fabs(nearest);
    EXPECT_LE(std::fabs(got - nearest), n * ulp) << what << " at " << x;
}

// Both kernel sets against the C library, over the arguments the draws give them: the baseline
// set is what a processor without AVX2 runs, and cannot be selected on one that has it.
TEST(MathKernels, BothKernelSetsAreAccurateOverTheDrawsArguments) {
    using Kernel = double (*)(double);
    struct Set {
        const char* name;
        Kernel log, exp, sin;
        double (*pow)(double, double);
    };
    for (const Set& k :
         {Set{"dispatched", math::log, math::exp, math::sin, math::pow},
          Set{"sse2", math::sse2::log, math::sse2::exp, math::sse2::sin, math::sse2::pow}}) {
        for (double u = 4.656612875245797e-10; u < 1.0; u = u * 1.37 + 1e-3) {
            expectUlps(k.log(u), std::log(static_cast<long double>(u)), 4, k.name, u);
            const double angle = 2 * 3.141592653589793 * u + 1.5707963267948966;
            expectUlps(k.sin(angle), std::sin(static_cast<long double>(angle)), 4, k.name, angle);
            expectUlps(k.exp(10 * u - 5), std::exp(static_cast<long double>(10 * u - 5)), 4, k.name,
                       u);
            expectUlps(k.pow(u, 2.5), std::pow(static_cast<long double>(u), 2.5L), 4, k.name, u);
        }
        EXPECT_TRUE(std::isinf(k.pow(0.3, -1e12))) << k.name;  // the Gamma overflow
        EXPECT_EQ(k.pow(0.3, INFINITY), 0.0) << k.name;
    }
}

}  // namespace
}  // namespace ferrolith
