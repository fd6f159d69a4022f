#include "reliability/normal_stream.hpp"

namespace ferrolith::reliability {

namespace {

// SplitMix64's finaliser: every input bit reaches every output bit.
std::uint64_t mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

pcg_extras::pcg128_t startState(std::uint64_t seed, std::uint64_t stream) {
    return (pcg_extras::pcg128_t(mix(seed)) << 64) | mix(stream ^ mix(seed));
}

}  // namespace

NormalStream::NormalStream(std::uint64_t seed, std::uint64_t stream)
    : engine_(startState(seed, stream), pcg_extras::pcg128_t(stream)) {}

}  // namespace ferrolith::reliability
