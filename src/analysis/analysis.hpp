#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/design_for_target.hpp"
#include "analysis/estimate.hpp"
#include "analysis/input_range.hpp"
#include "analysis/verdict.hpp"
#include "failure_statistics/failure_figures.hpp"
#include "model/run_result.hpp"
#include "model/study.hpp"
#include "reliability/method_result.hpp"

namespace ferrolith {

// The design run with what is derived from it when it ends.
struct DesignRun {
    RunResult run;
    std::optional<FailureFigures> figures;  // none before the first completed repetition
    Estimate estimate;
};

// An estimate with its verdict against the analysis's target index.
struct JudgedEstimate {
    Estimate estimate;
    Verdict verdict = Verdict::NoAnswer;
};

// One study and everything concluded from it, decided once: the design run's figures, FORM of
// the study, the warnings, and every method run on the study, each with one estimate and one
// verdict. The windows, the record, the results files and the driver only render it.
class Analysis {
  public:
    // A study that has not been run; name: the file it came from, if any.
    explicit Analysis(Study study = {}, std::string name = {});

    // A completed or aborted design run: its figures, FORM of its study and its warnings. The
    // methods of previous that were run on the same inputs stay, FORM's excepted.
    static Analysis ofDesignRun(RunResult run, const Analysis& previous = Analysis());
    // A method run on its own.
    static Analysis ofMethod(reliability::MethodResult method);

    // The inputs as typed, with the seed of the run and the target every verdict uses.
    const Study& study() const { return study_; }
    const std::string& studyName() const { return name_; }
    void setStudyName(std::string name) { name_ = std::move(name); }
    const TargetBasis& target() const { return study_.target; }
    double targetIndex() const { return study_.target.index(); }
    // A new target, or a load's new role, for the study and every method run on it; FORM over
    // the other period follows the reference period and the roles.
    void setTarget(const TargetBasis& target);
    void setLoadRole(InputVariable load, LoadRole role);
    // The record's project details, for the study and every method run on it.
    void setProjectDetails(const ProjectDetails& details);

    // Whether anything has been run on the study.
    bool hasResults() const { return design_.has_value() || !methods_.empty(); }
    const std::optional<DesignRun>& design() const { return design_; }
    // FORM on the study's inputs; none before a run, or when a parameter text does not convert.
    const std::optional<reliability::StudyForm>& form() const { return form_; }
    std::optional<double> formSeconds() const { return formSeconds_; }
    // The methods run on the study, FORM first where a design run has it, then in the order they
    // ended; a method run again replaces its earlier result.
    const std::vector<reliability::MethodResult>& methods() const { return methods_; }
    // Keeps a method run on this study's inputs; false, keeping nothing, for other inputs.
    bool addMethod(reliability::MethodResult method);

    // The last design for the target searched on the study, for its target; none before one,
    // and none once the target index changes.
    const std::optional<DesignForTarget>& designForTarget() const { return designForTarget_; }
    // Keeps a design searched on the study searched; false, keeping nothing, when that study has
    // other inputs or the design another target.
    bool setDesignForTarget(const Study& searched, DesignForTarget design);

    // FORM's design point lies beyond the design generator's reach: only a design run has it.
    std::optional<std::string> tailWarning() const;
    // FORM found a further design point that carries more than 1% of the nearest one's
    // probability: Pf from the nearest alone is too low.
    std::optional<std::string> severalPointsWarning() const;
    // The inputs whose laws give values out of range, found when the analysis is made.
    const std::vector<RangeWarning>& rangeWarnings() const { return rangeWarnings_; }
    // When the analysis began: its design run's start, else its first method's.
    std::int64_t startedAt() const;

    JudgedEstimate judged(const Estimate& estimate) const;
    // The design run's first, then each method's.
    std::vector<JudgedEstimate> estimates() const;

  private:
    // Gives the study's target and roles to a method's study, and FORM over the other period.
    void adoptBasis(reliability::MethodResult& method) const;
    void basisChanged(const Study& before);

    Study study_;
    std::string name_;
    std::vector<RangeWarning> rangeWarnings_;
    std::optional<DesignRun> design_;
    std::optional<reliability::StudyForm> form_;
    std::optional<double> formSeconds_;
    std::vector<reliability::MethodResult> methods_;
    std::optional<DesignForTarget> designForTarget_;
};

// The same inputs: the counts, parameters and choices, whatever the seed and the target.
bool sameInputs(const Study& a, const Study& b);

}  // namespace ferrolith
