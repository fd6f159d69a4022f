#include "reliability/study_form.hpp"

#include "model/parse_parameter.hpp"

namespace ferrolith::reliability {

namespace {

BeamInputs studyInputs(const Study& study) {
    ParameterArray a{}, b{};
    NameArray names;
    readInputs(study.parameters, study.distributions, a, b, names);
    return BeamInputs(a, b, names);
}

}  // namespace

StudyForm studyForm(const Study& study) {
    StudyForm result{BeamSpace(studyInputs(study)), {}, std::nullopt, {}, {}};
    result.form = form(result.space.limitState());
    result.designPoint = beamDesignPoint(result.space, result.form);
    result.designPoints = beamDesignPoints(result.space, result.form);
    if (result.designPoint) result.tailWarnings = tailCheck(*result.designPoint);
    return result;
}

}  // namespace ferrolith::reliability
