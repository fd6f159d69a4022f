#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/draw_input.hpp"
#include "model/repetition_tally.hpp"
#include "model/run_result.hpp"
#include "model/sample_statistics.hpp"
#include "rng/system_random.hpp"

namespace ferrolith {

// What every repetition of a run draws from: the parameters read at the start of the run.
struct RepetitionInputs {
    std::array<Branch, inputVariableCount> branch{};
    ParameterArray paramA{};
    ParameterArray paramB{};
    NameArray distName;
    double piValue = 0.0;
    int sampleSize = 0;

    RepetitionInputs() = default;
    RepetitionInputs(const ParameterArray& a, const ParameterArray& b, const NameArray& names,
                     double pi, int n);

    // systemRandom numbers a sample takes: one per Box-Muller variable.
    int picksPerSample() const;
    // systemRandom numbers a repetition takes: its seed, then the picks of its samples.
    std::uint64_t streamPerRepetition() const {
        return 1 + static_cast<std::uint64_t>(sampleSize) * picksPerSample();
    }
};

// The seed of a repetition's generator from the session stream's number u: u x
// largestRepetitionSeed rounded half to even.
std::int16_t repetitionSeed(float u);

// Faulty data met in a repetition: the first faulty draw, where the run stops.
struct DataFault {
    std::string_view message;  // the message the draw shows
    int sample;                // 1 to N
    int variable;              // 0 to 6
};

// The sums a repetition's statistics come from, added sample after sample in sample order, as
// the statistics of the run arrays add them.
struct SampleSums {
    RunningSums effect;
    RunningSums resist;
    double safe = 0.0;  // whole numbers: exact in any grouping

    void add(double e, double r, bool isSafe) {
        addValues(e, r);
        addSafe(isSafe ? 1 : 0);
    }
    // The values alone, and the safe samples of a group counted at once: the same sums.
    void addValues(double e, double r) {
        effect.add(e);
        resist.add(r);
    }
    void addSafe(int count) { safe = safe + count; }
};

struct RepetitionResult {
    RepetitionFigures figures;
    RepetitionTally tally;
    std::optional<DataFault> fault;  // set: the figures and the tally are meaningless

    // The figures of a repetition of n samples from its sums.
    static RepetitionResult fromSums(const SampleSums& sums, int n, const RepetitionTally& tally);
    static RepetitionResult faulty(DataFault fault);
};

// Where a repetition may leave its per-sample results: sample s (1 to N) at index s - 1.
struct SampleArrays {
    double* effect;
    double* resist;
};

// Where a repetition drawn one sample at a time takes its numbers from, shows its faults and
// leaves its current draw.
struct OneAtATime {
    clsRNG& rng;
    SystemRandom& systemRandom;   // the repetition's seed, then its picks
    DataFaultMessages* messages;  // shown at the faulty draw; null: only recorded in the result
    bool& abortFlag;
    std::array<double, inputVariableCount>& sampleVector;
};

// One repetition drawn sample after sample with drawInput, as the Calculate command describes
// it; keep receives the per-sample results.
RepetitionResult computeRepetitionOneAtATime(const RepetitionInputs& inputs, const OneAtATime& at,
                                             const SampleArrays* keep);

// One repetition computed away from the window, from the session stream at the repetition's
// start: the same figures, and the same first faulty draw, as drawing sample after sample with
// drawInput. Uses the vector kernel where the processor has one.
RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep);

// The same, one draw at a time, on copies of the generators.
RepetitionResult computeRepetitionScalar(const RepetitionInputs& inputs, SystemRandom stream,
                                         const SampleArrays* keep);

}  // namespace ferrolith
