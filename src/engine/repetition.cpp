#include "engine/repetition.hpp"

#include <cmath>

#include "engine/repetition_avx2.hpp"
#include "engine/tally_accumulator.hpp"
#include "model/limit_state.hpp"
#include "simd/scalar_math.hpp"

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
    return static_cast<std::int16_t>(
        std::nearbyint(static_cast<double>(u) * largestRepetitionSeed));
}

RepetitionResult RepetitionResult::fromSums(const SampleSums& sums, int n,
                                            const RepetitionTally& tally) {
    RepetitionResult r;
    r.figures.effectMean = meanFromSum(sums.effect.sum, n);
    r.figures.effectStdDev = stdDevFromSums(sums.effect.sum, sums.effect.sumSq, n);
    r.figures.resistMean = meanFromSum(sums.resist.sum, n);
    r.figures.resistStdDev = stdDevFromSums(sums.resist.sum, sums.resist.sumSq, n);
    r.figures.safeFraction = meanFromSum(sums.safe, n);
    r.tally = tally;
    return r;
}

RepetitionResult RepetitionResult::faulty(DataFault fault) {
    RepetitionResult r;
    r.fault = fault;
    return r;
}

namespace {

// Notes the first fault's message, and shows it where there is a window to show it.
class FirstFault : public DataFaultMessages {
  public:
    explicit FirstFault(DataFaultMessages* show) : show_(show) {}
    std::string_view message;
    void showDataFault(std::string_view m) override {
        if (message.empty()) message = m;
        if (show_) show_->showDataFault(m);
    }

  private:
    DataFaultMessages* show_;
};

}  // namespace

RepetitionResult computeRepetitionOneAtATime(const RepetitionInputs& in, const OneAtATime& at,
                                             const SampleArrays* keep) {
    const std::int16_t seed = repetitionSeed(at.systemRandom.next());
    at.rng.seed(seed);
    FirstFault faults(at.messages);
    DrawContext context{in.paramA, in.paramB,       in.distName, in.piValue,
                        at.rng,    at.systemRandom, faults,      at.abortFlag};
    SampleSums sums;
    TallyAccumulator tally;
    for (int s = 1; s <= in.sampleSize; ++s) {  // an int index: a bound of 32767 cannot overflow
        for (std::int16_t i = 0; i < inputVariableCount; ++i) {
            at.sampleVector[i] = drawInput(context, i);
            if (at.abortFlag) return RepetitionResult::faulty({faults.message, s, i});
        }
        const LimitState ls = evaluateLimitState(at.sampleVector);
        const bool safe = ls.safe != 0.0;
        sums.add(ls.effect, ls.resistance, safe);
        tally.add(s, at.sampleVector, !safe);
        if (keep) {
            keep->effect[s - 1] = ls.effect;
            keep->resist[s - 1] = ls.resistance;
        }
    }
    return RepetitionResult::fromSums(sums, in.sampleSize, tally.collapse(seed));
}

RepetitionResult computeRepetitionScalar(const RepetitionInputs& in, SystemRandom stream,
                                         const SampleArrays* keep) {
    clsRNG rng;
    bool abortFlag = false;
    std::array<double, inputVariableCount> sampleVector{};
    return computeRepetitionOneAtATime(in, {rng, stream, nullptr, abortFlag, sampleVector}, keep);
}

RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep) {
    if (math::hasVectorKernels()) return avx2::computeRepetition(inputs, stream, keep);
    return computeRepetitionScalar(inputs, stream, keep);
}

}  // namespace ferrolith
