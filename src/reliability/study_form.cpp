#include "reliability/study_form.hpp"

#include <algorithm>

#include "model/parse_parameter.hpp"
#include "reliability/reliability_text.hpp"

namespace ferrolith::reliability {

OtherPeriodForm otherPeriodForm(const Study& study, const BeamInputs& inputs) {
    OtherPeriodForm result;
    result.period = otherPeriod(study.target.period);
    result.loadsTogether = std::all_of(loadVariables.begin(), loadVariables.end(),
                                       [&](InputVariable v) { return isVariableLoad(study, v); });
    const auto other = otherPeriodInputs(study, inputs);
    if (!other) {
        result.refusal = text::gammaLoadPeriod;
        return result;
    }
    result.form = form(BeamSpace(*other).limitState());
    return result;
}

BeamInputs studyInputs(const Study& study) {
    ParameterArray a{}, b{};
    NameArray names;
    readInputs(study.parameters, study.distributions, a, b, names);
    return BeamInputs(a, b, names);
}

std::optional<BeamInputs> otherPeriodInputs(const Study& study, BeamInputs inputs) {
    const ReferencePeriod period = study.target.period;
    const double n = static_cast<double>(years(otherPeriod(period))) / years(period);
    for (InputVariable load : loadVariables) {
        if (!isVariableLoad(study, load)) continue;
        const auto i = static_cast<std::size_t>(load);
        if (!convertsPeriod(inputs.branch[i])) return std::nullopt;
        inputs.periods[i] = n;
    }
    return inputs;
}

StudyForm studyForm(const Study& study) { return studyForm(study, studyInputs(study)); }

StudyForm studyForm(const BeamInputs& inputs) {
    StudyForm result{BeamSpace(inputs), {}, std::nullopt, {}, {}, {}};
    result.form = form(result.space.limitState());
    result.designPoint = beamDesignPoint(result.space, result.form);
    result.designPoints = beamDesignPoints(result.space, result.form);
    if (result.designPoint) result.tailWarnings = tailCheck(*result.designPoint);
    return result;
}

StudyForm studyForm(const Study& study, const BeamInputs& inputs) {
    StudyForm result = studyForm(inputs);
    result.otherPeriod = otherPeriodForm(study, inputs);
    return result;
}

}  // namespace ferrolith::reliability
