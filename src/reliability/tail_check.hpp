#pragma once

#include <string>
#include <vector>

#include "reliability/beam_design_point.hpp"

namespace ferrolith::reliability {

// Beyond this many standard deviations the design's generator does not sample a Box-Muller
// input's tail as the distribution has it.
inline constexpr double tailLimit = 4.0;

// Which way the input goes from the origin to the design point.
enum class TailDirection {
    Falls,  // a resistance that must fall for the beam to fail
    Rises,  // a load that must rise
};

struct TailWarning {
    InputVariable variable = InputVariable::BeamLength;
    double standardValue = 0.0;  // z at the design point
    double value = 0.0;          // the input there, in its units
    TailDirection direction = TailDirection::Falls;
    std::string text;  // one line
};

// Every input drawn through Box-Muller whose design-point standard normal value lies beyond
// tailLimit in magnitude, in input order: where the design run's failure probability is wrong.
std::vector<TailWarning> tailCheck(const BeamDesignPoint& point);

}  // namespace ferrolith::reliability
