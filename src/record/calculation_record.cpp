#include "record/calculation_record.hpp"

namespace ferrolith {

namespace {

DesignFigures designFigures(const RunResult& run) {
    DesignFigures d;
    d.status = run.outcome == RunOutcome::Aborted ? RunStatus::Aborted : RunStatus::Completed;
    d.completed = run.completedRepetitions();
    d.planned = run.plannedRepetitions;
    d.convergence = convergence(run.tallies);
    // The run keeps the samples of its last repetition once it is complete.
    if (!run.lastEffect.empty())
        d.distributions = distributionHistograms(run.lastEffect, run.lastResist);
    d.sampleSize = static_cast<int>(run.lastEffect.size());
    return d;
}

}  // namespace

CalculationRecord calculationRecord(const Analysis& analysis) {
    CalculationRecord record{analysis, std::nullopt};
    if (const auto& design = analysis.design()) record.design = designFigures(design->run);
    return record;
}

}  // namespace ferrolith
