#include "reliability/scalar_normal_stream.hpp"

namespace ferrolith::reliability {

std::uint64_t splitMix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

pcg_extras::pcg128_t pcgStartState(std::uint64_t seed, std::uint64_t stream) {
    return (pcg_extras::pcg128_t(splitMix(seed)) << 64) | splitMix(stream ^ splitMix(seed));
}

}  // namespace ferrolith::reliability
