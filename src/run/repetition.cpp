#include "run/repetition.hpp"

#include <cmath>

#include "model/limit_state.hpp"
#include "model/math_kernels_avx2.hpp"
#include "model/sample_statistics.hpp"
#include "run/repetition_avx2.hpp"

namespace ferrolith {

RepetitionInputs::RepetitionInputs(const ParameterArray& a, const ParameterArray& b,
                                   const NameArray& names, double pi, int n)
    : paramA(a), paramB(b), distName(names), piValue(pi), sampleSize(n) {
    for (int i = 0; i < inputVariableCount; ++i) branch[i] = branchFor(distName[i]);
}

int RepetitionInputs::picksPerSample() const {
    int picks = 0;
    for (Branch b : branch) picks += usesBoxMuller(b) ? 1 : 0;
    return picks;
}

std::int16_t repetitionSeed(float u) {
    // The product is exact in a double; rounding to nearest uses ties to even.
    return static_cast<std::int16_t>(std::nearbyint(static_cast<double>(u) * 31328.0));
}

namespace {

// Records the first fault's message instead of showing it: the window shows it in order.
class FaultRecorder : public DataFaultMessages {
  public:
    std::string_view message;
    void showDataFault(std::string_view m) override {
        if (message.empty()) message = m;
    }
};

}  // namespace

RepetitionResult computeRepetitionScalar(const RepetitionInputs& in, SystemRandom stream,
                                         const SampleArrays* keep) {
    clsRNG rng;
    rng.seed(repetitionSeed(stream.next()));
    FaultRecorder recorder;
    bool abortFlag = false;
    DrawContext context{in.paramA, in.paramB, in.distName, in.piValue,
                        rng,       stream,    recorder,    abortFlag};
    std::array<double, inputVariableCount> sampleVector{};
    double sumE = 0, sumSqE = 0, sumR = 0, sumSqR = 0, sumSafe = 0;
    RepetitionResult result;
    for (int s = 1; s <= in.sampleSize; ++s) {
        for (std::int16_t i = 0; i < inputVariableCount; ++i) {
            sampleVector[i] = drawInput(context, i);
            if (abortFlag) {
                result.fault = DataFault{recorder.message, s, i};
                return result;
            }
        }
        const LimitState ls = evaluateLimitState(sampleVector);
        // Summed in sample order, as the statistics of the run arrays sum them.
        sumE = sumE + ls.effect;
        sumSqE = ls.effect * ls.effect + sumSqE;
        sumR = sumR + ls.resistance;
        sumSqR = ls.resistance * ls.resistance + sumSqR;
        sumSafe = sumSafe + ls.safe;
        if (keep) {
            keep->effect[s] = ls.effect;
            keep->resist[s] = ls.resistance;
            keep->safe[s] = ls.safe;
        }
    }
    const int n = in.sampleSize;
    result.effectMean = meanFromSum(sumE, n);
    result.effectStdDev = stdDevFromSums(sumE, sumSqE, n);
    result.resistMean = meanFromSum(sumR, n);
    result.resistStdDev = stdDevFromSums(sumR, sumSqR, n);
    result.safeFraction = meanFromSum(sumSafe, n);
    return result;
}

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep) {
    if (math::avx2::supported()) return avx2::computeRepetition(inputs, stream, keep);
    return computeRepetitionScalar(inputs, stream, keep);
}

}  // namespace ferrolith
