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

// FORM with the variable loads' laws carried to the reference period the study's are not of.
struct OtherPeriodForm {
    ReferencePeriod period = ReferencePeriod::OneYear;
    std::optional<FormResult> form;  // none when a variable load's law does not convert
    std::string refusal;             // why there is none
    // Two variable loads converted together reach their maxima at once, which is on the safe
    // side (a lower beta): text::loadsTogether says so beside the figure.
    bool loadsTogether = false;
};

// FORM on a study's inputs as typed: what the methods start from and what a design run's tail
// warning comes from; and its beta over the other reference period.
struct StudyForm {
    BeamSpace space;
    FormResult form;
    std::optional<BeamDesignPoint> designPoint;  // when FORM converged
    // Every design point FORM kept, nearest first (the first is designPoint): see FormResult.
    std::vector<BeamDesignPoint> designPoints;
    std::vector<TailWarning> tailWarnings;  // in input order
    OtherPeriodForm otherPeriod;
};

// FORM of the inputs over the study's other reference period.
OtherPeriodForm otherPeriodForm(const Study& study, const BeamInputs& inputs);

// The inputs of a study as the sampler reads them; ParameterError when a text does not convert.
BeamInputs studyInputs(const Study& study);

// The inputs with the study's variable loads read over its other reference period: each law F of
// maxima over years(study period) becomes F^n with n the ratio of the periods. Permanent loads,
// sizes and stress stay. None when a variable load is drawn by the Gamma formula.
std::optional<BeamInputs> otherPeriodInputs(const Study& study, BeamInputs inputs);

// Throws ParameterError when a parameter text does not convert.
StudyForm studyForm(const Study& study);
// FORM of the inputs alone, without the other reference period: what a search that only reads
// beta needs.
StudyForm studyForm(const BeamInputs& inputs);
// FORM of the study with its inputs read already (and perhaps moved, as a design search moves one).
StudyForm studyForm(const Study& study, const BeamInputs& inputs);

}  // namespace ferrolith::reliability
