#pragma once

#include <array>
#include <optional>
#include <span>

#include "model/branch.hpp"
#include "model/limit_state.hpp"
#include "model/parse_parameter.hpp"
#include "reliability/input_fault.hpp"
#include "reliability/limit_state_function.hpp"

namespace ferrolith::reliability {

// The seven inputs as the sampler draws them: each one's branch and its two numbers.
struct BeamInputs {
    std::array<Branch, inputVariableCount> branch{};
    ParameterArray paramA{};
    ParameterArray paramB{};
    // How many of its law's periods each input's value is the maximum over: 1 as typed, 50 for
    // a 1-year law read over 50 years, 1/50 the other way (period_conversion.hpp). Only the
    // formulas whose law is known in closed form convert: a Gamma input stays at 1.
    std::array<double, inputVariableCount> periods{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};

    BeamInputs() = default;
    // As readInputs leaves the run's arrays; distName chooses each branch as the sampler does.
    BeamInputs(const ParameterArray& a, const ParameterArray& b, const NameArray& distName);
};

// Whether the branch's law converts to another period: the design's Gamma formula has no
// closed-form distribution function to raise to a power.
constexpr bool convertsPeriod(Branch b) { return b != Branch::Gamma; }

// Standard normal coordinates an input takes: the Gamma formula draws from three uniforms, every
// other branch from one standard normal (Box-Muller) or one uniform (Gumbel).
constexpr int coordinateCount(Branch b) { return b == Branch::Gamma ? 3 : 1; }

inline constexpr int largestDimension = 3 * inputVariableCount;

// The coordinates of one input: first, first + 1, ..., first + count - 1.
struct CoordinateRange {
    int first = 0;
    int count = 0;
};

// The seven inputs at a point, or the first faulty one in input order.
struct PhysicalPoint {
    std::array<double, inputVariableCount> values{};
    std::optional<InputFault> fault;
};

// The beam in the standard normal space of the sampler's own draws: an input drawn through
// Box-Muller is a function of one standard normal z (the branch's formula with the normal value
// a + b z), a Gumbel input of one uniform Phi(z), a Gamma input of three uniforms Phi(z1),
// Phi(z2), Phi(z3) in the sampler's formula. So the methods answer for exactly the distributions
// that the sampler draws from. An input read over other periods (BeamInputs::periods) draws from
// F^n: its coordinate passes through maximaCoordinate, a Gumbel's location moves.
class BeamSpace {
  public:
    explicit BeamSpace(const BeamInputs& inputs);

    const BeamInputs& inputs() const { return inputs_; }
    int dimension() const { return dimension_; }
    CoordinateRange coordinates(InputVariable v) const {
        return ranges_[static_cast<std::size_t>(v)];
    }

    // The inputs in their units at z; std::invalid_argument unless z has dimension() coordinates.
    PhysicalPoint physical(std::span<const double> z) const;

    // g = R - E at z, from the model's limit state; throws InputFaultError on faulty data.
    LimitStateFunction limitState() const;

  private:
    BeamInputs inputs_;
    std::array<CoordinateRange, inputVariableCount> ranges_{};
    int dimension_ = 0;
};

// E and R of the inputs at a point, by the model's formulas.
LimitStateValues<double> effectAndResistance(const std::array<double, inputVariableCount>& x);

}  // namespace ferrolith::reliability
