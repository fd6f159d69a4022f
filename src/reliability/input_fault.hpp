#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "model/input_variable.hpp"

namespace ferrolith::reliability {

// Faulty data met while turning a point into the beam's inputs: the message the sampler shows for
// it ("Poisson Parameter < 10" or "Error in Data") and the input that has it. Every method ends on
// it, as the run ends at its first faulty draw.
struct InputFault {
    std::string_view message;
    InputVariable variable = InputVariable::BeamLength;

    bool operator==(const InputFault&) const = default;
};

// How a limit-state function passes an InputFault up to the method that called it.
class InputFaultError : public std::runtime_error {
  public:
    explicit InputFaultError(InputFault fault)
        : std::runtime_error(std::string(fault.message)), fault_(fault) {}
    const InputFault& fault() const { return fault_; }

  private:
    InputFault fault_;
};

}  // namespace ferrolith::reliability
