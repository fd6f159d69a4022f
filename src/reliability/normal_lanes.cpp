#include "reliability/normal_lanes.hpp"

#include <bit>

#include "reliability/scalar_normal_stream.hpp"
#include "reliability/ziggurat.hpp"

namespace ferrolith::reliability {

XoshiroLanes::XoshiroLanes(std::uint64_t seed) {
    constexpr std::uint64_t gamma = 0x9e3779b97f4a7c15ULL;
    std::uint64_t at = seed;
    for (int l = 0; l < lanes; ++l)
        for (auto& word : words) {
            word[static_cast<std::size_t>(l)] = splitMix(at);
            at += gamma;
        }
}

std::uint64_t XoshiroLanes::next(int l) {
    const auto i = static_cast<std::size_t>(l);
    std::uint64_t& s0 = words[0][i];
    std::uint64_t& s1 = words[1][i];
    std::uint64_t& s2 = words[2][i];
    std::uint64_t& s3 = words[3][i];
    const std::uint64_t result = std::rotl(s0 + s3, 23) + s0;
    const std::uint64_t t = s1 << 17;
    s2 ^= s0;
    s3 ^= s1;
    s1 ^= s2;
    s0 ^= s3;
    s2 ^= t;
    s3 = std::rotl(s3, 45);
    return result;
}

void insideCandidates(XoshiroLanes& lanes, double* out, PassWords& words) {
    words.inside = 0;
    for (int s = 0; s < batchSteps; ++s)
        for (int l = 0; l < XoshiroLanes::lanes; ++l) {
            const int slot = s * XoshiroLanes::lanes + l;
            const std::uint64_t word = lanes.next(l);
            const ZigguratCandidate c(word);
            words.word[static_cast<std::size_t>(slot)] = word;
            words.inside |= static_cast<std::uint64_t>(c.inside) << slot;
            if (c.inside) out[slot] = c.value();
        }
}

}  // namespace ferrolith::reliability
