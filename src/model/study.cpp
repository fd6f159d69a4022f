#include "model/study.hpp"

namespace ferrolith {

bool isTargetIndex(double index) { return index >= 0.0 && index <= largestTargetIndex; }

Study::Study() {
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        parameters[i] = std::string(inputVariables[i].defaultText);
}

}  // namespace ferrolith
