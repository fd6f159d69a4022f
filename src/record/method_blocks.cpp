#include "record/method_blocks.hpp"

#include "analysis/design_points_text.hpp"
#include "analysis/period_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "record/record_texts.hpp"
#include "reliability/reliability_text.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

void addCorrection(RecordLines& lines, const std::string& name, const CurvatureCorrection& c) {
    if (!c.defined) {
        lines.emplace_back(name, c.message);
        return;
    }
    lines.emplace_back(name + " Pf", formatFigure(c.failureProbability));
    lines.emplace_back(name + " beta", formatFigure(c.beta));
}

RecordLines sormLines(const SormResult& s, const MethodResult& method) {
    if (!s.message.empty()) return {{"SORM", s.message}};
    RecordLines lines;
    if (method.form && !method.form->form.severalPointsWarning.empty())
        lines.emplace_back(record_text::note, text::sormNearestOnly);
    lines.emplace_back("Principal curvatures", formatFigureList(s.curvatures));
    addCorrection(lines, "Breitung", s.breitung);
    addCorrection(lines, "Hohenbichler-Rackwitz", s.hohenbichlerRackwitz);
    return lines;
}

RecordLines samplingLines(const ImportanceSamplingResult& s) {
    if (!s.message.empty()) return {{"Importance sampling", s.message}};
    RecordLines lines{
        {"Seed", std::to_string(s.seed)},
        {"Samples", formatCount(s.samples)},
        {"Target coefficient of variation", s.targetCov ? formatFigure(*s.targetCov) : "none"},
        {"Sampling ended", std::string(samplingEndText(s.end))},
        {"Failures", formatCount(s.failures)},
        {"Estimator", std::string(estimatorText(s.estimator))},
        {"Failure probability Pf", formatFigure(s.failureProbability)},
        {"Standard error", s.hasInterval() ? formatFigure(s.standardError) : "none"},
        {"Coefficient of variation", s.variation ? formatFigure(*s.variation) : "none"},
        {"Pf 95% interval",
         formatFigure(s.interval.lower) + " to " + formatFigure(s.interval.upper)}};
    if (!s.hasInterval()) lines.emplace_back("Interval", missingInterval(s));
    lines.emplace_back("Reliability index beta", formatFigure(s.beta));
    return lines;
}

RecordLines subsetLines(const SubsetSimulationResult& s) {
    if (!s.message.empty()) return {{"Subset simulation", s.message}};
    const SubsetRun& first = s.runs.front();
    std::string thresholds;
    for (const SubsetLevel& l : first.levels)
        thresholds += (thresholds.empty() ? "" : ", ") + formatFigure(l.threshold);
    return {{"Seed", std::to_string(s.seed)},
            {"Samples a level", formatCount(s.samples)},
            {"Level probability p0", formatFigure(s.levelProbability)},
            {"Runs", std::to_string(s.runs.size()) + ", ended by " +
                         std::string(text::subsetEndText(s.end))},
            {"Limit-state evaluations", formatCount(s.evaluations)},
            {"Thresholds of run 1", thresholds},
            {"Failure probability Pf", formatFigure(s.failureProbability)},
            {"Coefficient of variation", formatFigure(s.variation) + " (" + covNote(s) + ")"},
            {"Pf 95% interval", formatFigure(s.interval.lower) + " to " +
                                    formatFigure(s.interval.upper) + " (" +
                                    text::subsetIntervalNote + ")"},
            {"Reliability index beta", formatFigure(s.beta)}};
}

RecordLines streamLines(const StreamMonteCarloResult& s, const StreamsAnswer& answer) {
    const auto& figures = answer.figures;
    if (!s.message.empty()) return {{"Monte Carlo with independent streams", s.message}};
    RecordLines lines{{"Seed", std::to_string(s.seed)},
                      {"Samples a repetition", std::to_string(answer.sampleSize)}};
    if (!figures) return lines;
    lines.emplace_back(
        "Status", statusLine(figures->status, figures->repetitions, figures->plannedRepetitions));
    for (const FigureLine& f : figureLines(*figures)) lines.emplace_back(f.label, f.value);
    return lines;
}

RecordLines formFigures(const StudyForm& f) {
    const FormResult& form = f.form;
    if (!form.converged) return {{"FORM", form.message}};
    RecordLines lines{{"Reliability index beta", formatFigure(form.beta)},
                      {"Failure probability Pf", formatFigure(form.failureProbability)},
                      {"Limit-state evaluations", formatCount(form.evaluations)}};
    if (f.designPoints.size() > 1) {
        lines.emplace_back(record_text::designPointCount, std::to_string(f.designPoints.size()));
        lines.emplace_back(record_text::systemProbability, systemProbabilityText(form));
        lines.emplace_back(record_text::systemBeta, formatFigure(form.systemBeta));
    }
    return lines;
}

// The figures a method adds to FORM's; FORM's own for FORM.
RecordLines answerLines(const MethodResult& method) {
    if (const auto* a = std::get_if<StreamsAnswer>(&method.answer))
        return a->streams ? streamLines(*a->streams, *a) : RecordLines{};
    if (const auto* a = std::get_if<SubsetAnswer>(&method.answer))
        return a->subset ? subsetLines(*a->subset) : RecordLines{};
    if (const auto* a = std::get_if<ImportanceAnswer>(&method.answer))
        return a->sampling ? samplingLines(*a->sampling) : RecordLines{};
    if (const auto* a = std::get_if<SormAnswer>(&method.answer))
        return a->sorm ? sormLines(*a->sorm, method) : RecordLines{};
    return method.form ? formFigures(*method.form) : RecordLines{};
}

}  // namespace

std::pair<std::string, std::string> verdictLine(const Analysis& analysis,
                                                const Estimate& estimate) {
    return {record_text::target, verdictText(analysis.judged(estimate).verdict, analysis.target())};
}

RecordLines formLines(const Analysis& analysis, const StudyForm& form) {
    RecordLines lines = formFigures(form);
    if (form.form.converged)
        lines.emplace_back(otherPeriodLabel(form.otherPeriod), otherPeriodText(form.otherPeriod));
    lines.push_back(verdictLine(analysis, formEstimate(form, std::nullopt)));
    return lines;
}

RecordLines methodLines(const Analysis& analysis, const MethodResult& method) {
    RecordLines lines = answerLines(method);
    lines.push_back(verdictLine(analysis, methodEstimate(method)));
    return lines;
}

}  // namespace ferrolith
