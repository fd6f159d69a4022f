#include "files/method_json.hpp"

#include <cmath>

#include "analysis/design_values.hpp"
#include "analysis/period_text.hpp"
#include "reliability/reliability_text.hpp"
#include "reliability/standard_normal.hpp"
#include "report/overall_figures.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;
using namespace reliability;

Json number(double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); }

Json numbers(const std::vector<double>& values) {
    Json list = Json::array();
    for (double v : values) list.push_back(number(v));
    return list;
}

Json designPointJson(const BeamDesignPoint& point) {
    Json list = Json::array();
    for (const InputDesignPoint& input : point.inputs)
        list.push_back({{"name", std::string(info(input.variable).name)},
                        {"value", number(input.value)},
                        {"standardNormal", numbers(input.standard)},
                        {"alpha", numbers(input.alpha)},
                        {"importance", number(input.importance)}});
    return list;
}

Json factor(const std::optional<double>& f) { return f ? number(*f) : Json(); }

Json designValuesJson(const Study& study, const StudyForm& form) {
    const auto values = designValues(study, form);
    if (!values) return nullptr;
    Json inputs = Json::array();
    for (const InputDesignValues& input : values->inputs)
        inputs.push_back({{"name", std::string(info(input.variable).name)},
                          {"basis", input.basis},
                          {"characteristic", number(input.characteristic)},
                          {"atDesignPoint", number(input.atDesignPoint)},
                          {"factorAtDesignPoint", factor(input.factorAtDesignPoint)},
                          {"atTarget", number(input.atTarget)},
                          {"factorAtTarget", factor(input.factorAtTarget)}});
    return {{"beta", number(values->beta)},
            {"targetIndex", number(values->target)},
            {"caption", designValuesCaption(*values, study.target)},
            {"inputs", std::move(inputs)}};
}

Json otherPeriodJson(const OtherPeriodForm& other) {
    const bool converged = other.form && other.form->converged;
    return {{"referencePeriodYears", years(other.period)},
            {"beta", converged ? number(other.form->beta) : Json()},
            {"pf", converged ? number(other.form->failureProbability) : Json()},
            {"loadsTogether", other.loadsTogether},
            {"text", otherPeriodText(other)}};
}

Json designPointsJson(const std::vector<BeamDesignPoint>& points) {
    Json list = Json::array();
    for (const BeamDesignPoint& point : points)
        list.push_back({{"beta", number(point.beta)},
                        {"pf", number(normalCdf(-point.beta))},
                        {"inputs", designPointJson(point)}});
    return list;
}

Json systemJson(const FormResult& form) {
    if (!form.converged) return nullptr;
    return {{"pf", number(form.system.probability)},
            {"beta", number(form.systemBeta)},
            {"error", number(form.system.error)}};
}

Json correctionJson(const CurvatureCorrection& c) {
    return {{"pf", number(c.failureProbability)},
            {"beta", number(c.beta)},
            {"message", c.defined ? Json() : Json(c.message)}};
}

const char* estimatorName(ImportanceEstimator estimator) {
    return estimator == ImportanceEstimator::FailureDomain ? "failure-domain" : "safe-domain";
}

}  // namespace

Json sormJson(const SormResult& s) {
    const CurvatureCorrection& chosen = s.estimate();
    return {{"pf", number(chosen.failureProbability)},
            {"beta", number(chosen.beta)},
            {"curvatures", numbers(s.curvatures)},
            {"breitung", correctionJson(s.breitung)},
            {"hohenbichler", correctionJson(s.hohenbichlerRackwitz)},
            {"message", s.message.empty() ? Json() : Json(s.message)}};
}

Json samplingJson(const ImportanceSamplingResult& s) {
    return {{"samples", s.samples},
            {"targetCov", s.targetCov ? Json(*s.targetCov) : Json()},
            // A method without figures ended on no count.
            {"samplingEnd", s.message.empty() ? Json(std::string(samplingEndName(s.end))) : Json()},
            {"failures", s.failures},
            {"estimator", estimatorName(s.estimator)},
            {"pf", number(s.failureProbability)},
            {"standardError", number(s.standardError)},
            {"cov", s.variation ? number(*s.variation) : Json()},
            {"pfInterval95",
             {{"lower", number(s.interval.lower)}, {"upper", number(s.interval.upper)}}},
            {"beta", number(s.beta)},
            {"message", s.message.empty() ? Json() : Json(s.message)}};
}

namespace {

Json levelsJson(const std::vector<SubsetLevel>& levels) {
    Json list = Json::array();
    for (const SubsetLevel& l : levels)
        list.push_back({{"threshold", number(l.threshold)},
                        {"conditionalProbability", number(l.conditionalProbability)},
                        {"cov", number(l.variation)},
                        {"gamma", number(l.correlation)}});
    return list;
}

Json subsetRunsJson(const std::vector<SubsetRun>& runs) {
    Json list = Json::array();
    for (const SubsetRun& r : runs)
        list.push_back({{"pf", number(r.failureProbability)},
                        {"cov", number(r.variation)},
                        {"evaluations", r.evaluations},
                        {"levels", levelsJson(r.levels)}});
    return list;
}

Json subsetJson(const SubsetSimulationResult& s) {
    const bool figures = s.message.empty();
    return {{"samplesPerLevel", s.samples},
            {"levelProbability", number(s.levelProbability)},
            {"targetCov", s.targetCov ? number(*s.targetCov) : Json()},
            {"samplingEnd", figures ? Json(samplingEndName(s.end)) : Json()},
            {"evaluations", s.evaluations},
            {"pf", number(s.failureProbability)},
            {"cov", number(s.variation)},
            {"covNote", figures ? Json(covNote(s)) : Json()},
            {"pfInterval95", figures ? Json{{"lower", number(s.interval.lower)},
                                            {"upper", number(s.interval.upper)}}
                                     : Json()},
            {"intervalNote", figures ? Json(text::subsetIntervalNote) : Json()},
            {"beta", number(s.beta)},
            {"runs", subsetRunsJson(s.runs)},
            {"message", figures ? Json() : Json(s.message)}};
}

const char* kindName(EstimateKind kind) {
    switch (kind) {
        case EstimateKind::Value:
            return "value";
        case EstimateKind::Bound:
            return "bound";
        case EstimateKind::None:
            break;
    }
    return "none";
}

Json estimateJson(const Estimate& e) {
    return {{"kind", kindName(e.kind)},
            {"pf", number(e.failureProbability)},
            {"beta", number(e.beta)},
            {"pfInterval95", e.interval ? Json{{"lower", number(e.interval->lower)},
                                               {"upper", number(e.interval->upper)}}
                                        : Json()},
            {"cov", e.variation ? number(*e.variation) : Json()},
            {e.countsEvaluations ? "evaluations" : "samples", e.count},
            {"seconds", e.seconds ? number(*e.seconds) : Json()},
            {"why", e.why.empty() ? Json() : Json(e.why)}};
}

const char* outcomeName(RunOutcome outcome) {
    return outcome == RunOutcome::Completed ? "completed" : "aborted";
}

}  // namespace

Json formJson(const Study& study, const StudyForm& f) {
    const FormResult& form = f.form;
    return {{"beta", number(form.beta)},
            {"pf", number(form.failureProbability)},
            {"converged", form.converged},
            {"message", form.converged ? Json() : Json(form.message)},
            {"evaluations", form.evaluations},
            {"designPoint", f.designPoint ? designPointJson(*f.designPoint) : Json()},
            {"designPoints", designPointsJson(f.designPoints)},
            {"system", systemJson(form)},
            {"severalPointsWarning",
             form.severalPointsWarning.empty() ? Json() : Json(form.severalPointsWarning)},
            {"otherPeriod", otherPeriodJson(f.otherPeriod)},
            {"designValues", designValuesJson(study, f)}};
}

void addMethodFigures(Json& json, const MethodResult& result) {
    const auto* sorm = std::get_if<SormAnswer>(&result.answer);
    const auto* sampling = std::get_if<ImportanceAnswer>(&result.answer);
    json["sorm"] = sorm && sorm->sorm ? sormJson(*sorm->sorm) : Json();
    json["importanceSampling"] =
        sampling && sampling->sampling ? samplingJson(*sampling->sampling) : Json();
    const auto* subset = std::get_if<SubsetAnswer>(&result.answer);
    json["subsetSimulation"] = subset && subset->subset ? subsetJson(*subset->subset) : Json();
}

Json verdictJson(const Analysis& analysis, const Estimate& estimate) {
    const JudgedEstimate judged = analysis.judged(estimate);
    return {{"targetIndex", analysis.targetIndex()},
            {"basis", basisText(analysis.target())},
            {"decision", std::string(verdictName(judged.verdict))},
            {"text", verdictText(judged.verdict, analysis.target())}};
}

Json methodEntryJson(const Analysis& analysis, const MethodResult& result) {
    const Estimate estimate = methodEstimate(result);
    return {{"method", std::string(methodName(result.method()))},
            {"outcome", outcomeName(result.outcome)},
            {"estimate", estimateJson(estimate)},
            {"verdict", verdictJson(analysis, estimate)}};
}

RunResult streamsRun(const MethodResult& result) {
    RunResult run;
    run.study = result.study;
    run.threads = result.threads;
    run.outcome = result.outcome;
    const auto& answer = std::get<StreamsAnswer>(result.answer);
    run.sampleSize = answer.sampleSize;
    if (!answer.streams) return run;
    run.plannedRepetitions = answer.streams->plannedRepetitions;
    for (const StreamRepetition& r : answer.streams->repetitions) {
        run.repetitions.push_back(
            {r.effectMean, r.effectStdDev, r.resistMean, r.resistStdDev, r.safeFraction});
        run.tallies.push_back(r.tally);
        // 1 to M, at most 32767.
        run.tallies.back().seed = static_cast<std::int16_t>(r.stream);
    }
    if (run.outcome == RunOutcome::Completed) {
        run.overall = overallFigures(run.repetitions, run.totalSimulations());
        run.overall.elapsed = result.elapsed;
        run.overall.timePerSimulation = result.elapsed / run.totalSimulations();
    }
    run.report = result.report;
    return run;
}

}  // namespace ferrolith
