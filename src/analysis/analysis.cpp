#include "analysis/analysis.hpp"

#include <chrono>

#include "analysis/method_report.hpp"
#include "failure_statistics/figure_text.hpp"
#include "model/parse_parameter.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

// FORM of a design run's study, timed; none when a parameter text does not convert.
std::optional<MethodResult> designRunForm(const Study& study) {
    MethodResult result;
    result.study = study;
    const auto start = std::chrono::steady_clock::now();
    try {
        result.form = studyForm(study);
    } catch (const ParameterError&) {
        return std::nullopt;
    }
    result.elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.outcome = result.form->form.fault ? RunOutcome::Aborted : RunOutcome::Completed;
    result.report = methodReport(result);
    return result;
}

// FORM over the other period is the same for both: the same period, the same variable loads.
bool samePeriods(const Study& a, const Study& b) {
    return a.target.period == b.target.period && a.loadRoles == b.loadRoles;
}

}  // namespace

bool sameInputs(const Study& a, const Study& b) {
    return a.repetitions == b.repetitions && a.samples == b.samples &&
           a.parameters == b.parameters && a.distributions == b.distributions;
}

Analysis::Analysis(Study study, std::string name)
    : study_(std::move(study)),
      name_(std::move(name)),
      rangeWarnings_(inputRangeWarnings(study_)) {}

Analysis Analysis::ofDesignRun(RunResult run, const Analysis& previous) {
    Analysis a(run.study, previous.name_);
    const RunStatus status =
        run.outcome == RunOutcome::Aborted ? RunStatus::Aborted : RunStatus::Completed;
    DesignRun design{std::move(run), std::nullopt, {}};
    design.figures = failureFigures(design.run.tallies, design.run.plannedRepetitions, status);
    const std::optional<double> seconds =
        status == RunStatus::Completed ? std::optional(design.run.overall.elapsed) : std::nullopt;
    if (design.figures)
        design.estimate = figuresEstimate(Method::MonteCarlo, *design.figures, seconds);
    else
        design.estimate.why = statusLine(status, 0, design.run.plannedRepetitions);
    a.design_ = std::move(design);
    if (auto form = designRunForm(a.study_)) {
        a.form_ = form->form;
        a.formSeconds_ = form->elapsed;
        if (form->outcome == RunOutcome::Completed) a.methods_.push_back(std::move(*form));
    }
    if (sameInputs(previous.study_, a.study_))
        for (const MethodResult& m : previous.methods_)
            if (m.method() != Method::Form) a.methods_.push_back(m);
    if (previous.designForTarget_)
        a.setDesignForTarget(previous.study_, *previous.designForTarget_);
    return a;
}

Analysis Analysis::ofMethod(MethodResult method) {
    Analysis a(method.study);
    a.form_ = method.form;
    a.formSeconds_ = method.elapsed;
    a.methods_.push_back(std::move(method));
    return a;
}

void Analysis::setTarget(const TargetBasis& target) {
    const Study before = study_;
    study_.target = target;
    basisChanged(before);
}

void Analysis::setLoadRole(InputVariable load, LoadRole role) {
    const Study before = study_;
    setRole(study_, load, role);
    basisChanged(before);
}

void Analysis::setProjectDetails(const ProjectDetails& details) {
    const Study before = study_;
    study_.project = details;
    basisChanged(before);
}

void Analysis::adoptBasis(MethodResult& method) const {
    const bool again = !samePeriods(method.study, study_);
    copyBasis(study_, method.study);
    if (method.form && again)
        method.form->otherPeriod = otherPeriodForm(study_, method.form->space.inputs());
}

void Analysis::basisChanged(const Study& before) {
    // The results files write the run's study.
    if (design_) copyBasis(study_, design_->run.study);
    if (form_ && !samePeriods(before, study_))
        form_->otherPeriod = otherPeriodForm(study_, form_->space.inputs());
    for (MethodResult& m : methods_) adoptBasis(m);
    // The design answered another target.
    if (designForTarget_ && designForTarget_->target != study_.target.index())
        designForTarget_.reset();
}

bool Analysis::setDesignForTarget(const Study& searched, DesignForTarget design) {
    if (!sameInputs(study_, searched) || design.target != study_.target.index()) return false;
    design.basis = study_.target;
    designForTarget_ = std::move(design);
    return true;
}

bool Analysis::addMethod(MethodResult method) {
    if (!sameInputs(study_, method.study)) return false;
    adoptBasis(method);
    std::erase_if(methods_, [&](const MethodResult& m) { return m.method() == method.method(); });
    methods_.push_back(std::move(method));
    return true;
}

std::optional<std::string> Analysis::tailWarning() const {
    if (!design_ || !form_ || form_->tailWarnings.empty()) return std::nullopt;
    return form_->tailWarnings.front().text;
}

std::optional<std::string> Analysis::severalPointsWarning() const {
    if (!form_ || form_->form.severalPointsWarning.empty()) return std::nullopt;
    return form_->form.severalPointsWarning;
}

std::int64_t Analysis::startedAt() const {
    if (design_) return design_->run.startedAt;
    return methods_.empty() ? 0 : methods_.front().startedAt;
}

JudgedEstimate Analysis::judged(const Estimate& estimate) const {
    return {estimate, verdictOn(estimate, study_.target.index())};
}

std::vector<JudgedEstimate> Analysis::estimates() const {
    std::vector<JudgedEstimate> list;
    if (design_) list.push_back(judged(design_->estimate));
    for (const MethodResult& m : methods_) list.push_back(judged(methodEstimate(m)));
    return list;
}

}  // namespace ferrolith
