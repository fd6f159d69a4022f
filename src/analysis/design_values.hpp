#pragma once

#include <array>
#include <optional>
#include <string>

#include "analysis/characteristic_value.hpp"
#include "model/study.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith {

// One input's characteristic value and its design values, with the partial factors that link
// them: characteristic / design for stress, width and depth, design / characteristic for loads.
struct InputDesignValues {
    InputVariable variable = InputVariable::BeamLength;
    CharacteristicKind kind = CharacteristicKind::NominalWithoutFactor;
    std::string basis;  // "5% fractile", "98% fractile of the annual maximum (36.42% of the
                        // 50-year law)", "mean"
    double characteristic = 0.0;
    double atDesignPoint = 0.0;                 // FORM's design point, at the study's own beta
    double atTarget = 0.0;                      // F^-1(Phi(alpha_i beta_target)), the alphas FORM's
    std::optional<double> factorAtDesignPoint;  // none for span and load position
    std::optional<double> factorAtTarget;
};

// The two labelled sets of design values: at the study's own beta and at the target.
struct DesignValues {
    double beta = 0.0;    // FORM's
    double target = 0.0;  // the study's target index
    std::array<InputDesignValues, inputVariableCount> inputs{};
};

// None when FORM found no design point. A figure that does not exist (a law whose parameters give
// none, faulty data at the target's point) is NaN.
std::optional<DesignValues> designValues(const Study& study, const reliability::StudyForm& form);

}  // namespace ferrolith
