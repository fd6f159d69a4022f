#pragma once

#include <cstdint>
#include <optional>

namespace ferrolith {

// The seeds of the main window's runs. An opened study fixes the seed of the runs after it; a
// saved study records the seed that repeats the last run.
struct RunSeeds {
    std::optional<std::uint64_t> fixed;  // nothing: each run takes one from the clock
    std::optional<std::uint64_t> last;   // the seed the last run that got past its counts used

    std::optional<std::uint64_t> repeating() const { return fixed ? fixed : last; }
};

}  // namespace ferrolith
