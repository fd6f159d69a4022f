#pragma once

#include <string>

#include "model/study.hpp"

// Studies whose inputs give values out of range, for every view's test.
namespace ferrolith::test {

// The window's defaults with one input's law and numbers changed; 2 repetitions of 100 samples.
inline Study studyWithInput(InputVariable variable, std::string law, std::string numbers) {
    Study study;
    study.repetitions = "2";
    study.samples = "100";
    study.seed = 1;
    const auto i = static_cast<std::size_t>(variable);
    study.distributions[i] = std::move(law);
    study.parameters[i] = std::move(numbers);
    return study;
}

// Rate 4 and shape 0.05: lengths far below 4 m.
inline Study gammaLengthStudy() {
    return studyWithInput(InputVariable::BeamLength, "Gamma", "4,0.05");
}

// A median stress of e^20.
inline Study logNormalStressStudy() {
    return studyWithInput(InputVariable::AllowableStress, "Log-Normal", "20,3");
}

// The same as the driver's options.
inline const char* gammaLengthArgs =
    "--repetitions 2 --samples 100 --seed 1 --param BeamLength=4,0.05 --dist BeamLength=Gamma";

}  // namespace ferrolith::test
