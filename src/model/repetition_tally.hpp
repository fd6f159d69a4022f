#pragma once

#include <array>
#include <cstdint>

#include "model/input_variable.hpp"

namespace ferrolith {

// What one completed repetition adds to the failure statistics of a run. A sample fails when it
// is not safe (R does not exceed E).
//
// Every engine forms these sums in one fixed order, so the figures do not depend on the engine
// or the number of threads: sample s (1 to N) goes to stripe (s - 1) mod 16, each stripe adds its
// samples in sample order starting from +0.0, and the sixteen stripes are then added in stripe
// order 0 to 15. A sample that did not fail adds +0.0 to the failed sums.
struct RepetitionTally {
    std::int16_t seed = 0;                                     // the seed the repetition gave rng
    std::int64_t samples = 0;                                  // N
    std::int64_t failures = 0;                                 // samples that were not safe
    std::array<double, inputVariableCount> inputSum{};         // over all samples
    std::array<double, inputVariableCount> inputSumSquares{};  // over all samples
    std::array<double, inputVariableCount> failedInputSum{};   // over the failed samples
};

}  // namespace ferrolith
