#pragma once

#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "failure_statistics/failure_figures.hpp"
#include "model/run_result.hpp"

namespace ferrolith {

// The version of the results layout this program writes. Version 2 added smallSampleWarning and
// writes streamInterval95 as null when the streams show no spread; version 3 added method, form
// and tailWarning to a design run and the files of the other methods; docs/results.schema.json
// describes every version.
inline constexpr int resultsSchemaVersion = 3;

// A recorded run's inputs, outcome, failure statistics (the figures the results window shows),
// overall and per-repetition figures, inputs at failure and report. Numbers keep full precision
// (they read back to the same doubles); a non-finite or missing figure is null.
nlohmann::ordered_json resultsJson(const RunResult& run);

// The same with the failure statistics given: those of a run whose repetitions are streams of
// their own.
nlohmann::ordered_json resultsJson(const RunResult& run,
                                   const std::optional<FailureFigures>& figures);

// The file's contents: indented JSON ending with a line end.
std::string resultsJsonText(const RunResult& run);

}  // namespace ferrolith
