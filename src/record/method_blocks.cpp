#include "record/method_blocks.hpp"

#include "failure_statistics/figure_text.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

std::pair<std::string, std::string> target(double beta, double targetIndex) {
    return {"Target", record_text::targetLine(record_text::beta, beta, targetIndex)};
}

void addCorrection(RecordLines& lines, const std::string& name, const CurvatureCorrection& c,
                   double targetIndex) {
    if (!c.defined) {
        lines.emplace_back(name, c.message);
        return;
    }
    lines.emplace_back(name + " Pf", formatFigure(c.failureProbability));
    lines.emplace_back(name + " beta", formatFigure(c.beta));
    lines.push_back(target(c.beta, targetIndex));
}

RecordLines sormLines(const SormResult& s, double targetIndex) {
    if (!s.message.empty()) return {{"SORM", s.message}};
    RecordLines lines{{"Principal curvatures", formatFigureList(s.curvatures)}};
    addCorrection(lines, "Breitung", s.breitung, targetIndex);
    addCorrection(lines, "Hohenbichler-Rackwitz", s.hohenbichlerRackwitz, targetIndex);
    return lines;
}

RecordLines samplingLines(const ImportanceSamplingResult& s, double targetIndex) {
    if (!s.message.empty()) return {{"Importance sampling", s.message}};
    return {{"Seed", std::to_string(s.seed)},
            {"Samples", formatCount(s.samples)},
            {"Failures", formatCount(s.failures)},
            {"Failure probability Pf", formatFigure(s.failureProbability)},
            {"Standard error", formatFigure(s.standardError)},
            {"Coefficient of variation", s.variation ? formatFigure(*s.variation) : "none"},
            {"Pf 95% interval",
             formatFigure(s.interval.lower) + " to " + formatFigure(s.interval.upper)},
            {"Reliability index beta", formatFigure(s.beta)},
            target(s.beta, targetIndex)};
}

RecordLines streamLines(const StreamMonteCarloResult& s, int sampleSize, double targetIndex) {
    if (!s.message.empty()) return {{"Monte Carlo with independent streams", s.message}};
    RecordLines lines{{"Seed", std::to_string(s.seed)},
                      {"Samples a repetition", std::to_string(sampleSize)}};
    const auto figures = streamFigures(s);
    if (!figures) return lines;
    lines.emplace_back(
        "Status", statusLine(figures->status, figures->repetitions, figures->plannedRepetitions));
    for (const FigureLine& f : figureLines(*figures)) lines.emplace_back(f.label, f.value);
    lines.push_back(target(figures->reliabilityIndex, targetIndex));
    return lines;
}

}  // namespace

RecordLines formLines(const FormResult& form, double targetIndex) {
    if (!form.converged) return {{"FORM", form.message}};
    return {{"Reliability index beta", formatFigure(form.beta)},
            {"Failure probability Pf", formatFigure(form.failureProbability)},
            {"Limit-state evaluations", formatCount(form.evaluations)},
            target(form.beta, targetIndex)};
}

RecordLines methodLines(const MethodResult& method, double targetIndex) {
    switch (method.method) {
        case Method::Form:
            return method.form ? formLines(method.form->form, targetIndex) : RecordLines{};
        case Method::Sorm:
            return method.sorm ? sormLines(*method.sorm, targetIndex) : RecordLines{};
        case Method::ImportanceSampling:
            return method.sampling ? samplingLines(*method.sampling, targetIndex) : RecordLines{};
        case Method::IndependentMonteCarlo:
            return method.streams ? streamLines(*method.streams, method.sampleSize, targetIndex)
                                  : RecordLines{};
        case Method::MonteCarlo:
            break;
    }
    return {};
}

}  // namespace ferrolith
