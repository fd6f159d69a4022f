#pragma once

#include <array>
#include <cstdint>

namespace ferrolith::reliability {

// Eight xoshiro256++ generators (Blackman and Vigna) side by side: word j of lane l's state at
// words[j][l], so that a word of every lane loads into two AVX2 registers or one AVX-512 register.
// Each lane is seeded from its own place in a SplitMix64 sequence, as the generator's authors
// advise.
struct XoshiroLanes {
    static constexpr int lanes = 8;
    alignas(64) std::array<std::array<std::uint64_t, lanes>, 4> words{};

    explicit XoshiroLanes(std::uint64_t seed);

    // Lane l's next output, one lane at a time.
    std::uint64_t next(int l);
};

// The normals of one pass of the lanes: slot 8 s + l from lane l's s-th output.
inline constexpr int normalBatch = 64;
inline constexpr int batchSteps = normalBatch / XoshiroLanes::lanes;

// A pass's outputs, and which of their ziggurat candidates lie inside their rectangles: bit k for
// slot k.
struct PassWords {
    alignas(64) std::array<std::uint64_t, normalBatch> word;  // every slot written by the pass
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

namespace avx512 {
// The same pass with every lane in one AVX-512 register. Only where simd::hasAvx512().
void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words);
}  // namespace avx512

}  // namespace ferrolith::reliability
