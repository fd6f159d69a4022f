#pragma once

#include <nlohmann/json.hpp>

#include "analysis/analysis.hpp"
#include "reliability/method_result.hpp"

namespace ferrolith {

// FORM's figures: beta, pf, converged, message (null when converged), evaluations and the design
// point, one object an input (name, value in its units, standardNormal and alpha as arrays of
// one number, three for a Gamma input, importance), every design point FORM kept (beta, pf and
// the same objects an input), the system's first-order estimate (pf, beta and its error
// estimate) and the warning when a further point carries a share of the probability;
// otherPeriod (beta over the study's other reference period) and designValues (each input's
// characteristic value, its design values at the design point and at the study's target, and
// their partial factors); figures FORM did not reach are null.
nlohmann::ordered_json formJson(const Study& study, const reliability::StudyForm& form);

// SORM's figures (pf and beta of its estimate, the curvatures, both corrections) and importance
// sampling's, as a method's file and the check of a design for the target write them.
nlohmann::ordered_json sormJson(const reliability::SormResult& sorm);
nlohmann::ordered_json samplingJson(const reliability::ImportanceSamplingResult& sampling);

// A method's own results beside FORM's: sorm, importanceSampling and subsetSimulation, null where
// it has none.
void addMethodFigures(nlohmann::ordered_json& json, const reliability::MethodResult& result);

// A verdict against the analysis's target: targetIndex, its basis, decision and its words.
nlohmann::ordered_json verdictJson(const Analysis& analysis, const Estimate& estimate);

// One method run on the study: method, outcome, its estimate and its verdict.
nlohmann::ordered_json methodEntryJson(const Analysis& analysis,
                                       const reliability::MethodResult& result);

// Independent Monte Carlo as a design run's result: its repetitions with their stream numbers as
// seeds, the overall figures of the completed ones, the method's report. Its results files have
// the fields of a design run's.
RunResult streamsRun(const reliability::MethodResult& result);

}  // namespace ferrolith
