#pragma once

#include <array>
#include <cstdint>

#include "model/repetition_tally.hpp"

namespace ferrolith {

// Forms a RepetitionTally in the order its definition fixes: sixteen stripes of sums, each in
// sample order from +0.0, added stripe by stripe at the end. An engine that draws sixteen
// samples side by side keeps one stripe a lane and stores its lanes into the stripes here.
class TallyAccumulator {
  public:
    static constexpr int stripes = 16;
    using Stripes = std::array<double, stripes>;

    // Sample s (1 to N) of the repetition, with its seven inputs.
    void add(int s, const std::array<double, inputVariableCount>& inputs, bool failed) {
        const int k = (s - 1) % stripes;
        for (int i = 0; i < inputVariableCount; ++i) {
            const double x = inputs[i];
            sum[i][k] = sum[i][k] + x;
            sumSquares[i][k] = sumSquares[i][k] + x * x;
            failedSum[i][k] = failedSum[i][k] + (failed ? x : 0.0);
        }
        samples += 1;
        failures += failed ? 1 : 0;
    }

    RepetitionTally collapse(std::int16_t seed) const {
        RepetitionTally t;
        t.seed = seed;
        t.samples = samples;
        t.failures = failures;
        for (int i = 0; i < inputVariableCount; ++i) {
            t.inputSum[i] = inStripeOrder(sum[i]);
            t.inputSumSquares[i] = inStripeOrder(sumSquares[i]);
            t.failedInputSum[i] = inStripeOrder(failedSum[i]);
        }
        return t;
    }

    std::array<Stripes, inputVariableCount> sum{};
    std::array<Stripes, inputVariableCount> sumSquares{};
    std::array<Stripes, inputVariableCount> failedSum{};
    std::int64_t samples = 0;
    std::int64_t failures = 0;

  private:
    static double inStripeOrder(const Stripes& s) {
        double total = 0.0;
        for (double x : s) total = total + x;
        return total;
    }
};

}  // namespace ferrolith
