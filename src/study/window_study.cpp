#include "study/window_study.hpp"

namespace ferrolith {

Study studyOf(WindowOperations& window, std::optional<std::uint64_t> seed) {
    Study study;
    study.repetitions = window.repetitionsText();
    study.samples = window.sampleSizeText();
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        const auto variable = static_cast<InputVariable>(i);
        study.parameters[i] = window.paramText(variable);
        study.distributions[i] = window.distText(variable);
    }
    study.seed = seed;
    return study;
}

}  // namespace ferrolith
