#pragma once

#include <cstddef>
#include <string>

#include "reliability/study_form.hpp"

namespace ferrolith {

// "Design point 2 of 3, beta 3.579": the title of one of FORM's design points where it found
// several.
std::string designPointTitle(const reliability::StudyForm& form, std::size_t index);

// The system's first-order Pf with its error estimate where it has one: "3.452e-4 (error
// estimate 1.2e-10)".
std::string systemProbabilityText(const reliability::FormResult& form);

// Where FORM kept several design points, in one paragraph: its warning where it has one, else
// how many points it found and the system estimate; empty for one point.
std::string designPointsNote(const reliability::FormResult& form);

}  // namespace ferrolith
