#pragma once

#include <cstdint>
#include <vector>

#include "failure_statistics/repetition_tally.hpp"
#include "model/parse_parameter.hpp"
#include "rng/clsRNG.hpp"
#include "rng/system_random.hpp"

namespace ferrolith {

// The state a run shares between its steps, held for the life of the window. The run arrays are
// dimensioned 0 to N or 0 to M; slot 0 is never written or read.
struct RunState {
    clsRNG rng;
    SystemRandom systemRandom;
    double piValue = 0.0;

    ParameterArray paramA{};
    ParameterArray paramB{};
    NameArray distName;
    std::array<double, inputVariableCount> sampleVector{};
    bool abortFlag = false;
    std::int16_t sampleIndex = 0;
    std::int16_t repetitionIndex = 0;

    std::vector<double> effectSample;
    std::vector<double> resistSample;
    std::vector<double> safeSample;
    std::vector<double> effectMean;
    std::vector<double> effectStdDev;
    std::vector<double> resistMean;
    std::vector<double> resistStdDev;
    std::vector<double> safeFraction;
    // One tally a completed repetition, in repetition order (repetition r at index r - 1).
    std::vector<RepetitionTally> repetitionTallies;

    double totalSimulations = 0.0;
    double runStartTime = 0.0;
    double runEndTime = 0.0;
    double runElapsed = 0.0;
    double timePerSimulation = 0.0;

    double overallEffectMean = 0.0;
    double overallEffectStdDev = 0.0;
    double overallResistMean = 0.0;
    double overallResistStdDev = 0.0;
    double overallSafeMean = 0.0;
    double overallSafeStdDev = 0.0;
    double lowerLimit = 0.0;
    double upperLimit = 0.0;
};

}  // namespace ferrolith
