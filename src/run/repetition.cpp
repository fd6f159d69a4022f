#include "run/repetition.hpp"

#include <cmath>

#include "model/beam_math.hpp"
#include "model/limit_state.hpp"
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
    SampleSums sums;
    for (int s = 1; s <= in.sampleSize; ++s) {
        for (std::int16_t i = 0; i < inputVariableCount; ++i) {
            sampleVector[i] = drawInput(context, i);
            if (abortFlag) {
                RepetitionResult faulty;
                faulty.fault = DataFault{recorder.message, s, i};
                return faulty;
            }
        }
        const LimitState ls = evaluateLimitState(sampleVector);
        sums.effect = sums.effect + ls.effect;
        sums.effectSq = ls.effect * ls.effect + sums.effectSq;
        sums.resist = sums.resist + ls.resistance;
        sums.resistSq = ls.resistance * ls.resistance + sums.resistSq;
        sums.safe = sums.safe + ls.safe;
        if (keep) {
            keep->effect[s] = ls.effect;
            keep->resist[s] = ls.resistance;
            keep->safe[s] = ls.safe;
        }
    }
    return RepetitionResult::fromSums(sums, in.sampleSize);
}

RepetitionResult RepetitionResult::fromSums(const SampleSums& sums, int n) {
    RepetitionResult r;
    r.effectMean = meanFromSum(sums.effect, n);
    r.effectStdDev = stdDevFromSums(sums.effect, sums.effectSq, n);
    r.resistMean = meanFromSum(sums.resist, n);
    r.resistStdDev = stdDevFromSums(sums.resist, sums.resistSq, n);
    r.safeFraction = meanFromSum(sums.safe, n);
    return r;
}

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep) {
    if (math::hasVectorKernels()) return avx2::computeRepetition(inputs, stream, keep);
    return computeRepetitionScalar(inputs, stream, keep);
}

}  // namespace ferrolith
