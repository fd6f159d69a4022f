#include "failure_statistics/input_importance.hpp"

#include <algorithm>
#include <cmath>

namespace ferrolith {

void RunTotals::add(const RepetitionTally& tally) {
    samples += tally.samples;
    failures += tally.failures;
    for (int i = 0; i < inputVariableCount; ++i) {
        inputSum[i] += tally.inputSum[i];
        inputSumSquares[i] += tally.inputSumSquares[i];
        failedInputSum[i] += tally.failedInputSum[i];
    }
}

std::vector<InputImportance> inputImportance(const RunTotals& totals) {
    std::vector<InputImportance> rows;
    if (totals.failures < 1 || totals.samples < 2) return rows;
    const double n = static_cast<double>(totals.samples);
    const double failures = static_cast<double>(totals.failures);
    for (int i = 0; i < inputVariableCount; ++i) {
        InputImportance row;
        row.variable = static_cast<InputVariable>(i);
        row.mean = totals.inputSum[i] / n;
        row.failedMean = totals.failedInputSum[i] / failures;
        // For an input that does not vary, rounding leaves a sum of squared deviations near zero
        // of either sign, which must not pass for a spread.
        const double deviations = totals.inputSumSquares[i] - n * row.mean * row.mean;
        const bool varies = deviations > 1e-12 * totals.inputSumSquares[i];
        row.stdDev = varies ? std::sqrt(deviations / (n - 1)) : 0.0;
        row.shift = row.stdDev > 0.0 ? (row.failedMean - row.mean) / row.stdDev : 0.0;
        rows.push_back(row);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const InputImportance& a, const InputImportance& b) {
                         return std::abs(a.shift) > std::abs(b.shift);
                     });
    return rows;
}

}  // namespace ferrolith
