#pragma once

#include <array>

#include "model/input_variable.hpp"

namespace ferrolith {

template <class T>
struct LimitStateValues {
    T effect;      // E, kN·m
    T resistance;  // R, kN·m
};

// E and R of one sample in the variables' units, operations in this exact order; written once for
// a scalar double and for vector lanes.
template <class T>
LimitStateValues<T> limitStateValues(const T& length, const T& width, const T& depth,
                                     const T& stress, const T& location, const T& load,
                                     const T& udl) {
    const T L = length * T(1000.0);
    const T a = location * T(1000.0);
    const T P = load * T(1000.0);
    const T pointMoment = ((L - a) * (a * P)) / L;
    const T udlMoment = ((udl * L) * L) * T(0.125);
    // Built in place: the values of many vector lanes are not copied on their way out.
    return {(pointMoment + udlMoment) * T(1e-6),
            ((((stress * width) * depth) * depth) * T(0.25)) * T(1e-6)};
}

struct LimitState {
    double effect;
    double resistance;
    double safe;  // 1.0 when R exceeds E, otherwise 0.0 (equality and NaN are unsafe)
};

// The limit state of the sample held in sampleVector.
LimitState evaluateLimitState(const std::array<double, inputVariableCount>& sampleVector);

}  // namespace ferrolith
