#pragma once

#include <array>
#include <cstdint>
#include <pcg_random.hpp>

namespace ferrolith::reliability {

// Marsaglia and Tsang's ziggurat for the unit normal (2000), with 1024 layers of equal area v
// under f(x) = exp(-x^2 / 2): 99.6% of the draws fall inside a layer's inner rectangle and cost one
// word, two table reads and a multiplication; the rest finish one at a time (finishOutlier). With
// Boost.Random's 128 layers 2.8% would take that slow path.
struct Ziggurat {
    static constexpr int layers = 1024;
    // The tail's start r: the layers' area v = r f(r) + the integral of f beyond r closes the top
    // layer at x = 0 (found by bisection on r; the tests check the closure).
    static constexpr double tailStart = 4.038849846109504;

    // Right edges: x[0] = v / f(r) (the base strip, whose rectangle ends at r), x[1] = r, ...,
    // x[layers] = 0; layer i lies between x[i + 1] and x[i], above f(x[i]).
    std::array<double, layers + 1> x{};
    std::array<double, layers + 1> fx{};  // f at each edge
    double area = 0.0;                    // v

    // Built once, from the C library's exp, log and sqrt.
    static const Ziggurat& table();
};

// One 64-bit word's place in the ziggurat: its bit 0 picks the sign, bits 1 to 10 the layer, its
// top 52 bits the uniform u in [0, 1) that places x = u x[layer] in it.
struct ZigguratCandidate {
    double x = 0.0;
    int layer = 0;
    bool positive = false;
    bool inside = false;  // x lies in the layer's inner rectangle: x is the normal's magnitude

    explicit ZigguratCandidate(std::uint64_t word);
    double value() const { return positive ? x : -x; }
};

// The rest of the ziggurat for a candidate outside its rectangle, drawing from engine: the tail
// beyond r (Marsaglia's method, from two exponentials), or the wedge's test of x against f with a
// new uniform, and a whole new draw of words from engine where the test refuses it. So every
// normal is exact, however far out it falls.
double finishOutlier(ZigguratCandidate candidate, pcg64& engine);

}  // namespace ferrolith::reliability
