#include "record/calculation_record.hpp"

#include "model/parse_parameter.hpp"

namespace ferrolith {

namespace {

DesignFigures designFigures(const RunResult& run) {
    DesignFigures d;
    d.status = run.outcome == RunOutcome::Aborted ? RunStatus::Aborted : RunStatus::Completed;
    d.completed = run.completedRepetitions();
    d.planned = run.plannedRepetitions;
    d.figures = failureFigures(run.tallies, run.plannedRepetitions, d.status);
    d.convergence = convergence(run.tallies);
    // The run keeps the samples of its last repetition once it is complete.
    if (!run.lastEffect.empty())
        d.distributions = distributionHistograms(run.lastEffect, run.lastResist);
    d.sampleSize = static_cast<int>(run.lastEffect.size());
    d.report = run.report;
    return d;
}

std::optional<reliability::StudyForm> formOf(const Study& study) {
    try {
        return reliability::studyForm(study);
    } catch (const ParameterError&) {
        return std::nullopt;
    }
}

}  // namespace

CalculationRecord calculationRecord(const RunResult& run,
                                    std::vector<reliability::MethodResult> methods) {
    CalculationRecord record;
    record.startedAt = run.startedAt;
    record.study = run.study;
    record.design = designFigures(run);
    record.form = formOf(run.study);
    // As the results window: the tail warning of a completed run.
    if (run.outcome == RunOutcome::Completed && record.form && !record.form->tailWarnings.empty())
        record.warnings.push_back(record.form->tailWarnings.front().text);
    record.methods = std::move(methods);
    record.targetIndex = run.study.targetIndex;
    return record;
}

CalculationRecord calculationRecord(const reliability::MethodResult& method) {
    CalculationRecord record;
    record.startedAt = method.startedAt;
    record.study = method.study;
    record.form = method.form;
    if (record.form && !record.form->tailWarnings.empty())
        record.warnings.push_back(record.form->tailWarnings.front().text);
    record.methods = {method};
    record.targetIndex = method.study.targetIndex;
    return record;
}

}  // namespace ferrolith
