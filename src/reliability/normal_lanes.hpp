#pragma once

#include <array>
#include <cstdint>
#include <pcg_random.hpp>

namespace ferrolith::reliability {

// Eight xoshiro256++ generators (Blackman and Vigna) side by side: word j of lane l's state at
// words[j][l], so that two AVX2 registers hold a word of every lane. Each lane is seeded from its
// own place in a SplitMix64 sequence, as the generator's authors advise.
struct XoshiroLanes {
    static constexpr int lanes = 8;
    alignas(32) std::array<std::array<std::uint64_t, lanes>, 4> words{};

    explicit XoshiroLanes(std::uint64_t seed);

    // Lane l's next output, one lane at a time.
    std::uint64_t next(int l);
};

// The normals of one pass of the lanes: slot 8 s + l from lane l's s-th output.
inline constexpr int normalBatch = 64;
inline constexpr int batchSteps = normalBatch / XoshiroLanes::lanes;

// One output's place in Boost.Random's 128-layer ziggurat for the unit normal: its low 8 bits pick
// the layer and the sign, its top 52 the uniform u in [0, 1) that places x = u x_layer in it.
struct ZigguratCandidate {
    double x = 0.0;
    int layer = 0;
    bool positive = false;
    bool inside = false;  // x lies in the layer's inner rectangle: x is the normal's magnitude

    explicit ZigguratCandidate(std::uint64_t word);
    double value() const { return positive ? x : -x; }
};

// A pass's outputs, and which of their candidates lie inside their rectangles: bit k for slot k.
struct PassWords {
    alignas(32) std::array<std::uint64_t, normalBatch> word;  // every slot written by the pass
    std::uint64_t inside = 0;
};

// One pass of the lanes: every output into words, and the normals of the candidates inside their
// rectangles into out (the other slots of out hold nothing yet). Branch-free, so that the rare
// outlier costs no mispredicted branch here.
void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words);

namespace avx2 {
// The same pass in AVX2 registers, with the same results. Only on processors with AVX2.
void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words);
}  // namespace avx2

// The rest of Boost's ziggurat for a candidate outside its rectangle, drawing from engine: the tail
// beyond the last layer, or the wedge's test of x with a new uniform (the top 53 bits of the
// engine's next output), and a whole new draw where the test refuses it. So every normal is exact,
// however far out it falls.
double finishOutlier(const ZigguratCandidate& candidate, pcg64& engine);

}  // namespace ferrolith::reliability
