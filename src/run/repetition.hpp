#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "model/draw_input.hpp"
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

// The seed of a repetition's generator from the session stream's number u: u x 31328 rounded
// half to even, 0 to 31328.
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
    double effect = 0.0;
    double effectSq = 0.0;
    double resist = 0.0;
    double resistSq = 0.0;
    double safe = 0.0;
};

struct RepetitionResult {
    double effectMean = 0.0;
    double effectStdDev = 0.0;
    double resistMean = 0.0;
    double resistStdDev = 0.0;
    double safeFraction = 0.0;
    std::optional<DataFault> fault;  // set: the figures are meaningless

    // The figures of a repetition of n samples from its sums.
    static RepetitionResult fromSums(const SampleSums& sums, int n);
};

// Where a repetition may leave its per-sample results (slots 1 to N), as the run arrays hold them.
struct SampleArrays {
    double* effect;
    double* resist;
    double* safe;
};

// One repetition computed away from the window, from the session stream at the repetition's
// start: the same figures, and the same first faulty draw, as drawing sample after sample with
// drawInput. Uses the vector kernel where the processor has one.
RepetitionResult computeRepetition(const RepetitionInputs& inputs, SystemRandom stream,
                                   const SampleArrays* keep);

// The same, one draw at a time through drawInput.
RepetitionResult computeRepetitionScalar(const RepetitionInputs& inputs, SystemRandom stream,
                                         const SampleArrays* keep);

}  // namespace ferrolith
