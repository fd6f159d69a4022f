#pragma once

#include "model/branch.hpp"
#include "simd/scalar_math.hpp"

// The value of each distribution branch as a pure function of its two parameters and the uniforms
// of one draw. Written once for a scalar double and for packs of vector lanes (simd::Pack, whose
// functions are found by argument-dependent lookup), so both paths give the same doubles.
namespace ferrolith::formulas {

using math::exp;
using math::log;
using math::pow;
using math::sin;
using math::sqrt;

inline double select(bool pickFirst, double first, double second) {
    return pickFirst ? first : second;
}
inline bool isInfinite(double x) { return std::isinf(x); }
inline bool isFinite(double x) { return std::isfinite(x); }

// What the comparison of two T gives: a bool, or one mask bit a lane.
template <class T>
using MaskOf = decltype(T() > T());

// The picked value of the Box-Muller pair with mean a and standard deviation b: the first,
// (r b) cos(angle) + a, or the second, (r b) sin(angle) + a. Only the picked value is computed,
// with one sine: the cosine is taken as the sine a quarter turn on, sin(angle + pi/2), which
// differs from it by no more than the rounding of that sum (below 1e-15).
template <class T, class Pick>
T normalValue(const T& a, const T& b, const T& u1, const T& u2, const T& piValue, Pick pickFirst) {
    const T r = sqrt(log(u1) * T(-2.0));
    const T angle = (piValue + piValue) * u2;
    const T turn = select(pickFirst, piValue * T(0.5), T(0.0));
    return (r * b) * sin(angle + turn) + a;
}

// The value of a Box-Muller branch (Normal, Log-Normal, Poisson) from a normal value:
// normalWith(mean, sd) gives a normal value of that mean and standard deviation, and the branch
// makes its value of it. The sampler passes its Box-Muller pick; the reliability methods pass
// mean + sd z at a point z of the standard normal space.
template <class T, class NormalWith>
T fromNormal(Branch branch, const T& a, const T& b, NormalWith normalWith) {
    // Log-Normal: a and b are the mean and standard deviation of the logarithm.
    if (branch == Branch::LogNormal) return exp(normalWith(a, b));
    // Poisson: the normal approximation centred on the mean minus 0.5, with b the variance.
    if (branch == Branch::Poisson) return normalWith(a - T(0.5), sqrt(b));
    return normalWith(a, b);
}

template <class T, class Pick>
T logNormalValue(const T& a, const T& b, const T& u1, const T& u2, const T& piValue,
                 Pick pickFirst) {
    return fromNormal(Branch::LogNormal, a, b, [&](const T& mean, const T& sd) {
        return normalValue(mean, sd, u1, u2, piValue, pickFirst);
    });
}

template <class T, class Pick>
T poissonValue(const T& a, const T& b, const T& u1, const T& u2, const T& piValue, Pick pickFirst) {
    return fromNormal(Branch::Poisson, a, b, [&](const T& mean, const T& sd) {
        return normalValue(mean, sd, u1, u2, piValue, pickFirst);
    });
}

// The Gumbel value from -ln u1: the reliability methods pass it computed from the tail it is in.
template <class T>
T gumbelFromMinusLog(const T& a, const T& b, const T& minusLogU1) {
    return a - (T(1.0) / b) * log(minusLogU1);
}

template <class T>
T gumbelValue(const T& a, const T& b, const T& u1) {
    return gumbelFromMinusLog(a, b, log(T(1.0) / u1));
}

// One draw of a variable. Its functions build it in place, so that a draw of many vector lanes is
// not copied on its way out.
template <class T>
struct VariableDraw {
    T value;
    MaskOf<T> overflow;  // a Gamma power overflowed ("Error in Data"; the draw counts as 0.0)
    bool poissonFault;   // the Poisson mean is 10 or less ("Poisson Parameter < 10")
};

// No lane set: the draw of a formula that cannot overflow.
template <class T>
MaskOf<T> noLanes() {
    return T(0.0) > T(0.0);
}

template <class T>
struct GammaExponents {
    T e1;  // of u1: 1 / b
    T e2;  // of u2: 1 / (1 - b)
};

template <class T>
GammaExponents<T> gammaExponents(double b) {
    return {T(1.0 / b), T(1.0 / (1.0 - b))};
}

// The Gamma value from the powers p1 = u1^e1, p2 = u2^e2 and -ln u3: the reliability methods pass
// them computed from the tail each uniform is in.
template <class T>
VariableDraw<T> gammaFromPowers(double a, const GammaExponents<T>& e, const T& p1, const T& p2,
                                const T& minusLogU3) {
    return {p1 * T(1.0 / a) * minusLogU3 / (p1 + p2),
            MaskOf<T>((isInfinite(p1) & isFinite(e.e1)) | (isInfinite(p2) & isFinite(e.e2))),
            false};
}

// a is the rate, b the shape; one pass from three uniforms, nothing rejected.
template <class T>
VariableDraw<T> gammaValue(double a, double b, const T& u1, const T& u2, const T& u3) {
    const auto e = gammaExponents<T>(b);
    return gammaFromPowers(a, e, pow(u1, e.e1), pow(u2, e.e2), -log(u3));
}

// A Poisson mean of 10 or less is faulty data.
inline bool poissonMeanIsFaulty(double a) { return !(a > 10.0); }

// One value of a variable with parameters a and b from the three uniforms of its draw, by the
// formula of its branch. pickFirst() gives the Box-Muller pick, and is called in those branches
// only, as they alone take a systemRandom number.
template <class T, class PickFirst>
VariableDraw<T> drawVariable(Branch branch, double a, double b, const T& u1, const T& u2,
                             const T& u3, const T& piValue, PickFirst pickFirst) {
    switch (branch) {
        case Branch::Gamma:
            return gammaValue(a, b, u1, u2, u3);
        case Branch::Gumbel:
            return {gumbelValue(T(a), T(b), u1), noLanes<T>(), false};
        case Branch::LogNormal:
            return {logNormalValue(T(a), T(b), u1, u2, piValue, pickFirst()), noLanes<T>(), false};
        case Branch::Poisson:
            return {poissonValue(T(a), T(b), u1, u2, piValue, pickFirst()), noLanes<T>(),
                    poissonMeanIsFaulty(a)};
        case Branch::Normal:
            break;
    }
    return {normalValue(T(a), T(b), u1, u2, piValue, pickFirst()), noLanes<T>(), false};
}

}  // namespace ferrolith::formulas
