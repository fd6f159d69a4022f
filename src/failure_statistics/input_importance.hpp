#pragma once

#include <cstdint>
#include <vector>

#include "model/input_variable.hpp"
#include "model/repetition_tally.hpp"

namespace ferrolith {

// How far an input sits from its usual value when the beam fails.
struct InputImportance {
    InputVariable variable = InputVariable::BeamLength;
    double failedMean = 0.0;  // over the failed samples
    double mean = 0.0;        // over all samples
    double stdDev = 0.0;      // over all samples
    // (failedMean - mean) / stdDev; 0 for an input that does not vary.
    double shift = 0.0;
};

// The run's sums over all its repetitions, added in repetition order.
struct RunTotals {
    std::int64_t samples = 0;
    std::int64_t failures = 0;
    std::array<double, inputVariableCount> inputSum{};
    std::array<double, inputVariableCount> inputSumSquares{};
    std::array<double, inputVariableCount> failedInputSum{};

    void add(const RepetitionTally& tally);
};

// The seven inputs, largest |shift| first (ties in input order); empty when nothing failed or
// fewer than two samples were drawn.
std::vector<InputImportance> inputImportance(const RunTotals& totals);

}  // namespace ferrolith
