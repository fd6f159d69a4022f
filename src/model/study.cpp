#include "model/study.hpp"

namespace ferrolith {

Study::Study() {
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        parameters[i] = std::string(inputVariables[i].defaultText);
}

}  // namespace ferrolith
