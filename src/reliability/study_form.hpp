#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/study.hpp"
#include "reliability/beam_design_point.hpp"
#include "reliability/beam_space.hpp"
#include "reliability/form.hpp"
#include "reliability/tail_check.hpp"

namespace ferrolith::reliability {

// FORM on a study's inputs as typed: what the methods start from and what a design run's tail
// warning comes from.
struct StudyForm {
    BeamSpace space;
    FormResult form;
    std::optional<BeamDesignPoint> designPoint;  // when FORM converged
    // Every design point FORM kept, nearest first (the first is designPoint): see FormResult.
    std::vector<BeamDesignPoint> designPoints;
    std::vector<TailWarning> tailWarnings;  // in input order
};

// Throws ParameterError when a parameter text does not convert.
StudyForm studyForm(const Study& study);

}  // namespace ferrolith::reliability
