#include "rng/clsRNG.hpp"

namespace ferrolith {

namespace {
std::int64_t mulMod(std::int64_t a, std::int64_t b) { return (a * b) % clsRNG::modulus; }
}  // namespace

std::int64_t clsRNG::jump(std::int64_t x, std::uint64_t k) {
    // x is a whole number of magnitude below 2^31; the congruence keeps negatives' residue class.
    std::int64_t base = multiplier;
    std::int64_t factor = 1;
    for (; k != 0; k >>= 1) {
        if (k & 1) factor = mulMod(factor, base);
        base = mulMod(base, base);
    }
    return mulMod(((x % modulus) + modulus) % modulus, factor);
}

}  // namespace ferrolith
