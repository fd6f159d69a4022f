#include "analysis/method_report.hpp"

#include <cstdio>

#include "analysis/design_points_text.hpp"
#include "analysis/design_values.hpp"
#include "analysis/estimate.hpp"
#include "analysis/period_text.hpp"
#include "analysis/verdict.hpp"
#include "failure_statistics/figure_text.hpp"
#include "reliability/reliability_text.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

std::string line(const std::string& label, const std::string& value) {
    return label + ": " + value + "\n";
}

// Left-aligned in a column of the given width, with at least one blank after it.
std::string column(const std::string& text, std::size_t width) {
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text + " ";
}

std::string inputsBlock(const Study& study) {
    std::string text = "Inputs (as typed):\n";
    for (const InputVariableInfo& v : inputVariables) {
        const auto i = static_cast<std::size_t>(v.variable);
        const std::string& choice = study.distributions[i];
        text += "  " + column(std::string(v.name), 18) + column(study.parameters[i], 16) +
                (choice.empty() ? "(no choice: Normal)" : choice) + roleText(study, v.variable) +
                "\n";
    }
    return text;
}

std::string designPointTable(const BeamDesignPoint& point, const std::string& title) {
    std::string text = title + ":\n  " + column("input", 18) + column("value", 12) +
                       column("standard normal", 30) + column("alpha", 30) + "importance\n";
    for (const InputDesignPoint& input : point.inputs)
        text += "  " + column(std::string(info(input.variable).name), 18) +
                column(formatFigure(input.value), 12) +
                column(formatFigureList(input.standard), 30) +
                column(formatFigureList(input.alpha), 30) + formatFigure(input.importance) + "\n";
    return text;
}

std::string factorText(const std::optional<double>& factor) {
    return factor ? formatFigure(*factor) : "-";
}

std::string designValuesTable(const DesignValues& values, const TargetBasis& target) {
    std::string text = "Characteristic and design values (" + designValuesCaption(values, target) +
                       "):\n  " + column("input", 18) + column("characteristic", 16) +
                       column("at design point", 16) + column("factor", 8) +
                       column("at target", 12) + column("factor", 8) + "basis\n";
    for (const InputDesignValues& input : values.inputs)
        text += "  " + column(std::string(info(input.variable).name), 18) +
                column(formatFigure(input.characteristic), 16) +
                column(formatFigure(input.atDesignPoint), 16) +
                column(factorText(input.factorAtDesignPoint), 8) +
                column(formatFigure(input.atTarget), 12) +
                column(factorText(input.factorAtTarget), 8) + input.basis + "\n";
    return text;
}

std::string formBlock(const Study& study, const StudyForm& f) {
    const FormResult& form = f.form;
    std::string text = line("FORM converged", form.converged ? "true" : "false");
    if (!form.converged) return text + line("FORM message", form.message);
    text += line("FORM beta", formatFigure(form.beta)) +
            line("FORM Pf", formatFigure(form.failureProbability)) +
            line("FORM limit-state evaluations", formatCount(form.evaluations)) +
            line(otherPeriodLabel(f.otherPeriod), otherPeriodText(f.otherPeriod));
    if (f.designPoints.size() > 1)
        text += line("FORM design points", std::to_string(f.designPoints.size())) +
                line("FORM system Pf", systemProbabilityText(form)) +
                line("FORM system beta", formatFigure(form.systemBeta));
    if (!form.severalPointsWarning.empty()) text += line("FORM warning", form.severalPointsWarning);
    if (f.designPoints.size() > 1) {
        for (std::size_t i = 0; i < f.designPoints.size(); ++i)
            text += designPointTable(f.designPoints[i], designPointTitle(f, i));
    } else if (f.designPoint) {
        text += designPointTable(*f.designPoint, "Design point");
    }
    if (const auto values = designValues(study, f))
        text += designValuesTable(*values, study.target);
    return text;
}

std::string correctionLines(const std::string& name, const CurvatureCorrection& c) {
    if (!c.defined) return line(name, c.message);
    return line(name + " Pf", formatFigure(c.failureProbability)) +
           line(name + " beta", formatFigure(c.beta));
}

std::string sormBlock(const SormResult& s, const FormResult& form) {
    if (!s.message.empty()) return line("SORM", s.message);
    const std::string nearest = form.severalPointsWarning.empty()
                                    ? std::string()
                                    : line("SORM note", text::sormNearestOnly);
    return nearest + line("SORM curvatures", formatFigureList(s.curvatures)) +
           correctionLines("SORM Breitung", s.breitung) +
           correctionLines("SORM Hohenbichler-Rackwitz", s.hohenbichlerRackwitz);
}

std::string samplingBlock(const ImportanceSamplingResult& s) {
    if (!s.message.empty()) return line("Importance sampling", s.message);
    return line("Importance sampling seed", std::to_string(s.seed)) +
           line("Importance sampling samples", formatCount(s.samples)) +
           line("Importance sampling target CoV",
                s.targetCov ? formatFigure(*s.targetCov) : "none") +
           line("Importance sampling ended", std::string(samplingEndText(s.end))) +
           line("Importance sampling failures", formatCount(s.failures)) +
           line("Importance sampling estimator", std::string(estimatorText(s.estimator))) +
           line("Importance sampling Pf", formatFigure(s.failureProbability)) +
           line("Importance sampling standard error",
                s.hasInterval() ? formatFigure(s.standardError) : "none") +
           line("Importance sampling CoV", s.variation ? formatFigure(*s.variation) : "none") +
           line("Importance sampling Pf 95% interval",
                formatFigure(s.interval.lower) + " to " + formatFigure(s.interval.upper)) +
           (s.hasInterval() ? "" : line("Importance sampling interval", missingInterval(s))) +
           line("Importance sampling beta", formatFigure(s.beta));
}

std::string repetitionLine(const StreamRepetition& r) {
    return "  " + column(std::to_string(r.stream), 8) + column(formatFigure(r.effectMean), 10) +
           column(formatFigure(r.effectStdDev), 10) + column(formatFigure(r.resistMean), 10) +
           column(formatFigure(r.resistStdDev), 10) + column(formatFigure(r.safeFraction), 14) +
           formatCount(r.tally.failures) + "\n";
}

std::string streamsBlock(const StreamMonteCarloResult& s,
                         const std::optional<FailureFigures>& figures) {
    if (!s.message.empty()) return line("Independent Monte Carlo", s.message);
    std::string text = line("Independent Monte Carlo seed", std::to_string(s.seed));
    if (!figures) return text;
    text += statusLine(figures->status, figures->repetitions, figures->plannedRepetitions) + "\n";
    for (const FigureLine& f : figureLines(*figures)) text += line(f.label, f.value);
    text += "Repetitions:\n  " + column("stream", 8) + column("E mean", 10) + column("E sd", 10) +
            column("R mean", 10) + column("R sd", 10) + column("safe fraction", 14) + "failures\n";
    for (const StreamRepetition& r : s.repetitions) text += repetitionLine(r);
    return text;
}

std::string levelLine(const SubsetLevel& l) {
    return "  " + column(formatFigure(l.threshold), 14) +
           column(formatFigure(l.conditionalProbability), 14) +
           column(formatFigure(l.variation), 10) + formatFigure(l.correlation) + "\n";
}

std::string subsetRunLine(std::size_t index, const SubsetRun& r) {
    return "  " + column(std::to_string(index + 1), 6) +
           column(std::to_string(r.levels.size()), 8) + column(formatCount(r.evaluations), 13) +
           column(formatFigure(r.failureProbability), 12) + formatFigure(r.variation) + "\n";
}

std::string subsetBlock(const SubsetSimulationResult& s) {
    if (!s.message.empty()) return line("Subset simulation", s.message);
    std::string text =
        line("Subset simulation seed", std::to_string(s.seed)) +
        line("Subset simulation samples a level", formatCount(s.samples)) +
        line("Subset simulation level probability p0", formatFigure(s.levelProbability)) +
        line("Subset simulation runs", std::to_string(s.runs.size())) +
        line("Subset simulation ended by", std::string(text::subsetEndText(s.end))) +
        line("Subset simulation limit-state evaluations", formatCount(s.evaluations)) +
        line("Subset simulation Pf", formatFigure(s.failureProbability)) +
        line("Subset simulation CoV", formatFigure(s.variation) + " (" + covNote(s) + ")") +
        line("Subset simulation Pf 95% interval", formatFigure(s.interval.lower) + " to " +
                                                      formatFigure(s.interval.upper) + " (" +
                                                      text::subsetIntervalNote + ")") +
        line("Subset simulation beta", formatFigure(s.beta));
    text += "Runs:\n  " + column("run", 6) + column("levels", 8) + column("evaluations", 13) +
            column("Pf", 12) + "CoV\n";
    for (std::size_t i = 0; i < s.runs.size(); ++i) text += subsetRunLine(i, s.runs[i]);
    text += "Levels of run 1:\n  " + column("threshold", 14) + column("P", 14) + column("CoV", 10) +
            "gamma\n";
    for (const SubsetLevel& l : s.runs.front().levels) text += levelLine(l);
    return text;
}

// The method's own figures, before FORM's.
std::string answerBlock(const MethodAnswer& answer, const std::optional<StudyForm>& form) {
    if (const auto* a = std::get_if<StreamsAnswer>(&answer); a && a->streams)
        return streamsBlock(*a->streams, a->figures);
    if (const auto* a = std::get_if<SubsetAnswer>(&answer); a && a->subset)
        return subsetBlock(*a->subset);
    if (const auto* a = std::get_if<ImportanceAnswer>(&answer); a && a->sampling)
        return samplingBlock(*a->sampling);
    if (const auto* a = std::get_if<SormAnswer>(&answer); a && a->sorm && form)
        return sormBlock(*a->sorm, form->form);
    return {};
}

}  // namespace

std::string methodReport(const MethodResult& result) {
    const TargetBasis& target = result.study.target;
    std::string text = line("Method", std::string(methodName(result.method()))) +
                       inputsBlock(result.study) + answerBlock(result.answer, result.form);
    if (result.form) text += formBlock(result.study, *result.form);
    return text +
           line("Target", verdictText(verdictOn(methodEstimate(result), target.index()), target));
}

}  // namespace ferrolith
