#pragma once

#include <array>
#include <optional>
#include <vector>

#include "model/branch.hpp"
#include "model/input_variable.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/form.hpp"

namespace ferrolith::reliability {

// One input at FORM's design point.
struct InputDesignPoint {
    InputVariable variable = InputVariable::BeamLength;
    Branch branch = Branch::Normal;
    double value = 0.0;            // in the input's units
    double originValue = 0.0;      // at the origin of the standard normal space
    std::vector<double> standard;  // its standard normal coordinates: one, or three for Gamma
    std::vector<double> alpha;     // its direction cosines
    double importance = 0.0;       // the sum of its alpha^2: the seven add up to 1
};

struct BeamDesignPoint {
    double beta = 0.0;  // its signed distance from the origin
    std::array<InputDesignPoint, inputVariableCount> inputs{};
    double effect = 0.0;      // E there, kN·m
    double resistance = 0.0;  // R there, kN·m
};

// The design point of a converged FORM result of the beam's limit state, input by input; none
// when FORM has no design point.
std::optional<BeamDesignPoint> beamDesignPoint(const BeamSpace& space, const FormResult& form);

// One of FORM's design points, input by input; none when it is not a point of the space or the
// inputs fault there.
std::optional<BeamDesignPoint> beamDesignPoint(const BeamSpace& space, const DesignPoint& found);

// Every design point of a converged FORM result, nearest first; those not of the space left out.
std::vector<BeamDesignPoint> beamDesignPoints(const BeamSpace& space, const FormResult& form);

}  // namespace ferrolith::reliability
