#pragma once

#include <cstdint>
#include <string_view>

#include "model/branch.hpp"
#include "model/parse_parameter.hpp"
#include "rng/clsRNG.hpp"
#include "rng/system_random.hpp"

namespace ferrolith {

// The two data-fault messages of a draw, shown modally by whoever drives the model.
inline constexpr std::string_view poissonFaultMessage = "Poisson Parameter < 10";
inline constexpr std::string_view dataFaultMessage = "Error in Data";

class DataFaultMessages {
  public:
    virtual ~DataFaultMessages() = default;
    // Shows the message with OK alone and returns once it is dismissed.
    virtual void showDataFault(std::string_view message) = 0;
};

// The run state a draw reads, and the flag it sets on faulty data.
struct DrawContext {
    const ParameterArray& paramA;
    const ParameterArray& paramB;
    const NameArray& distName;
    double piValue;
    clsRNG& rng;
    SystemRandom& systemRandom;
    DataFaultMessages& messages;
    bool& abortFlag;
};

// One value of input variable i. Reads rand three times whatever the branch, and one
// systemRandom number in the Box-Muller branches.
double drawInput(DrawContext& context, std::int16_t i);

}  // namespace ferrolith
