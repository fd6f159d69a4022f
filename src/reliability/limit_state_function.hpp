#pragma once

#include <functional>
#include <span>

namespace ferrolith::reliability {

// A limit state on the standard normal space of some dimension: g(z) at a point z. The reliability
// methods take any such function; the beam's is one (beam_space.hpp). A function that meets
// faulty data throws InputFaultError.
struct LimitStateFunction {
    int dimension = 0;
    std::function<double(std::span<const double> z)> value;
};

// A point fails where g is not positive: g = R - E, and a sample is safe only when R exceeds E, so
// zero and NaN fail.
inline bool fails(double g) { return !(g > 0.0); }

}  // namespace ferrolith::reliability
