#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/analysis.hpp"

namespace ferrolith {

// The version of the results layout this program writes. Version 2 added smallSampleWarning and
// writes streamInterval95 as null when the streams show no spread; version 3 added method, form
// and tailWarning to a design run and the files of the other methods; version 4 added the
// verdict against the target index and the inputs' range warnings, and to a design run the
// methods run on its study; version 5 added subset simulation and the subsetSimulation figures of
// a method's file, the target coefficient of variation and what ended the sampling to
// importance sampling's figures, to FORM every design point, the system's first-order estimate
// and the warning when a further point carries a share of the probability, and to a design run
// the methods that disagree; it also holds the target with its basis (in the study and the
// verdict), the study's project details, and FORM's beta over the other reference period and
// its design values;
// docs/results.schema.json describes every version.
inline constexpr int resultsSchemaVersion = 5;

// An analysis's results. With a design run: its inputs, outcome, failure statistics (the figures
// the results window shows), overall and per-repetition figures, inputs at failure, FORM, the
// tail warning, the range warnings, the verdict, the methods run on its study and the report. A
// method run alone writes what it holds: independent Monte Carlo the fields of a design run, the
// others FORM and their own figures. Numbers keep full precision (they read back to the same
// doubles); a non-finite or missing figure is null. An analysis without results writes nothing:
// check hasResults first.
nlohmann::ordered_json resultsJson(const Analysis& analysis);

// The file's contents: indented JSON ending with a line end.
std::string resultsJsonText(const Analysis& analysis);

}  // namespace ferrolith
