#include "analysis/design_values.hpp"

#include <cmath>
#include <vector>

namespace ferrolith {

namespace {

using namespace reliability;

// Resistances fail as they fall, loads as they rise: the factor is above 1 on the safe side.
std::optional<double> factorOf(CharacteristicKind kind, double characteristic, double design) {
    switch (kind) {
        case CharacteristicKind::Fractile:
        case CharacteristicKind::Nominal:
            return characteristic / design;
        case CharacteristicKind::AnnualMaximum:
        case CharacteristicKind::PermanentMean:
            return design / characteristic;
        case CharacteristicKind::NominalWithoutFactor:
            break;
    }
    return std::nullopt;
}

// The inputs at u = alpha beta, NaN where the point holds faulty data.
std::array<double, inputVariableCount> valuesAt(const StudyForm& form, double beta) {
    std::vector<double> u(form.form.alpha.size());
    for (std::size_t i = 0; i < u.size(); ++i) u[i] = form.form.alpha[i] * beta;
    const PhysicalPoint point = form.space.physical(u);
    if (!point.fault) return point.values;
    std::array<double, inputVariableCount> none{};
    none.fill(std::nan(""));
    return none;
}

}  // namespace

std::optional<DesignValues> designValues(const Study& study, const StudyForm& form) {
    if (!form.designPoint) return std::nullopt;
    DesignValues values;
    values.beta = form.form.beta;
    values.target = study.target.index();
    const auto atTarget = valuesAt(form, values.target);
    const BeamInputs& inputs = form.space.inputs();
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        InputDesignValues& input = values.inputs[i];
        input.variable = static_cast<InputVariable>(i);
        Characteristic c = characteristicValue(study, input.variable, inputs.branch[i],
                                               inputs.paramA[i], inputs.paramB[i]);
        input.kind = c.kind;
        input.basis = std::move(c.basis);
        input.characteristic = c.value;
        input.atDesignPoint = form.designPoint->inputs[i].value;
        input.atTarget = atTarget[i];
        input.factorAtDesignPoint = factorOf(input.kind, input.characteristic, input.atDesignPoint);
        input.factorAtTarget = factorOf(input.kind, input.characteristic, input.atTarget);
    }
    return values;
}

}  // namespace ferrolith
