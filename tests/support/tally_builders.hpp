#pragma once

#include <cstdint>

#include "model/repetition_tally.hpp"

namespace ferrolith::test {

// A tally with only the counts and the seed set.
inline RepetitionTally tally(std::int16_t seed, std::int64_t failures, std::int64_t samples) {
    RepetitionTally t;
    t.seed = seed;
    t.failures = failures;
    t.samples = samples;
    return t;
}

}  // namespace ferrolith::test
