#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis.hpp"
#include "failure_statistics/distribution_histograms.hpp"
#include "failure_statistics/failure_figures.hpp"

namespace ferrolith {

// What the record draws of the design run besides the analysis's figures.
struct DesignFigures {
    RunStatus status = RunStatus::Completed;
    int completed = 0;
    int planned = 0;
    std::vector<ConvergencePoint> convergence;
    std::optional<DistributionHistograms> distributions;  // of the last repetition
    int sampleSize = 0;                                   // N of that repetition
};

// Everything the calculation record shows: the analysis it renders, with the charts' data of
// its design run.
struct CalculationRecord {
    Analysis analysis;
    std::optional<DesignFigures> design;  // none for a record of methods alone
};

// The record of an analysis with results.
CalculationRecord calculationRecord(const Analysis& analysis);

}  // namespace ferrolith
