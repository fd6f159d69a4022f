#include "rng/system_random.hpp"

#include <chrono>

namespace ferrolith {

void SystemRandom::reseedFromClock() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    reseed(static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
}

}  // namespace ferrolith
