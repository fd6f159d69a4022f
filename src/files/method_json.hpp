#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "reliability/method_result.hpp"

namespace ferrolith {

// FORM's figures: beta, pf, converged, message (null when converged), evaluations and the design
// point, one object an input (name, value in its units, standardNormal and alpha as arrays of
// one number, three for a Gamma input, importance); figures FORM did not reach are null.
nlohmann::ordered_json formJson(const reliability::StudyForm& form);

// FORM and the tail warning of a design run's study: "form" (null when a parameter text does
// not convert) and "tailWarning" (its one line, or null).
void addDesignRunForm(nlohmann::ordered_json& json, const Study& study);

// A method's results: program, study with the seed used, method, threads, outcome, form, sorm
// and importanceSampling (null where the method has none) and the report.
nlohmann::ordered_json methodResultsJson(const reliability::MethodResult& result);

std::string methodResultsJsonText(const reliability::MethodResult& result);

// Independent Monte Carlo as a design run's result: its repetitions with their stream numbers as
// seeds, the overall figures of the completed ones, the method's report. Its results files have
// the fields of a design run's.
RunResult streamsRun(const reliability::MethodResult& result);

}  // namespace ferrolith
