#include "rng/system_random.hpp"

#include <chrono>

namespace ferrolith {

std::uint64_t SystemRandom::clockSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace ferrolith
