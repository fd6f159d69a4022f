#include "model/study.hpp"

#include <algorithm>

namespace ferrolith {

bool isTargetIndex(double index) { return index >= 0.0 && index <= largestTargetIndex; }

Study::Study() {
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        parameters[i] = std::string(inputVariables[i].defaultText);
}

namespace {

std::size_t loadIndex(InputVariable variable) {
    return static_cast<std::size_t>(
        std::find(loadVariables.begin(), loadVariables.end(), variable) - loadVariables.begin());
}

}  // namespace

void copyBasis(const Study& from, Study& to) {
    to.target = from.target;
    to.loadRoles = from.loadRoles;
    to.fractiles = from.fractiles;
    to.project = from.project;
}

LoadRole roleOf(const Study& study, InputVariable load) {
    return study.loadRoles.at(loadIndex(load));
}

bool isVariableLoad(const Study& study, InputVariable variable) {
    return isLoad(variable) && roleOf(study, variable) == LoadRole::Variable;
}

void setRole(Study& study, InputVariable load, LoadRole role) {
    study.loadRoles.at(loadIndex(load)) = role;
}

}  // namespace ferrolith
