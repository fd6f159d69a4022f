#include "reliability/normal_lanes.hpp"

#include <bit>
#include <boost/random/normal_distribution.hpp>

#include "reliability/scalar_normal_stream.hpp"

namespace ferrolith::reliability {

namespace {

using Ziggurat = boost::random::detail::unit_normal_distribution<double>;
const double* const tableX = boost::random::detail::normal_table<double>::table_x;
const double* const tableY = boost::random::detail::normal_table<double>::table_y;

}  // namespace

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

ZigguratCandidate::ZigguratCandidate(std::uint64_t word)
    : layer(static_cast<int>((word & 0xFF) >> 1)), positive((word & 1) != 0) {
    // The top 52 bits as a multiple of 2^-52: exact, as the vector lanes form it.
    const double u = static_cast<double>(word >> 12) * 0x1p-52;
    x = u * tableX[layer];
    inside = x < tableX[layer + 1];
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

double finishOutlier(const ZigguratCandidate& c, pcg64& engine) {
    const int i = c.layer;
    const double sign = c.positive ? 1.0 : -1.0;
    if (i == 0) return Ziggurat().generate_tail(engine) * sign;
    // Boost's test of the wedge between the layer's rectangle and the density, as its loop takes
    // it (boost/random/normal_distribution.hpp): the curve lies between the chord and the tangent.
    const double x = c.x;
    const double y01 = static_cast<double>(engine() >> 11) * 0x1p-53;
    const double y = tableY[i] + y01 * (tableY[i + 1] - tableY[i]);
    double aboveUpper = 0.0, aboveLower = 0.0;
    if (tableX[i] >= 1) {
        aboveUpper = (tableX[i] - tableX[i + 1]) * y01 - (tableX[i] - x);
        aboveLower = y - (tableY[i] + (tableX[i] - x) * tableY[i] * tableX[i]);
    } else {
        aboveLower = (tableX[i] - tableX[i + 1]) * y01 - (tableX[i] - x);
        aboveUpper = y - (tableY[i] + (tableX[i] - x) * tableY[i] * tableX[i]);
    }
    if (aboveUpper < 0 && (aboveLower < 0 || y < Ziggurat::f(x))) return x * sign;
    // Refused: Boost starts over with a whole new draw.
    return Ziggurat()(engine);
}

}  // namespace ferrolith::reliability
