#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "failure_statistics/distribution_histograms.hpp"
#include "failure_statistics/failure_figures.hpp"
#include "model/run_result.hpp"
#include "model/study.hpp"
#include "reliability/method_result.hpp"
#include "reliability/study_form.hpp"

namespace ferrolith {

// The design run's figures as the results window shows them.
struct DesignFigures {
    RunStatus status = RunStatus::Completed;
    int completed = 0;
    int planned = 0;
    std::optional<FailureFigures> figures;  // none before the first completed repetition
    std::vector<ConvergencePoint> convergence;
    std::optional<DistributionHistograms> distributions;  // of the last repetition
    int sampleSize = 0;                                   // N of that repetition
    std::string report;                                   // exactly as the run wrote it
};

// Everything the calculation record shows, as plain data: what the window and the driver hand
// to the record's pages.
struct CalculationRecord {
    std::int64_t startedAt = 0;           // seconds since 1970-01-01 UTC
    Study study;                          // the inputs as typed, with the seed the run used
    std::optional<DesignFigures> design;  // none for a record of methods alone
    // FORM on the study's inputs; none when a parameter text does not convert.
    std::optional<reliability::StudyForm> form;
    std::vector<std::string> warnings;  // the tail warning
    std::vector<reliability::MethodResult> methods;
    double targetIndex = defaultTargetIndex;  // each beta is held against it
};

// The record of a completed or aborted design run, with the methods run on its study, held
// against the study's target index.
CalculationRecord calculationRecord(const RunResult& run,
                                    std::vector<reliability::MethodResult> methods = {});

// The record of a method run alone: its study and its results instead of the design figures.
CalculationRecord calculationRecord(const reliability::MethodResult& method);

}  // namespace ferrolith
