#include "files/method_json.hpp"

#include <cmath>

#include "files/json_text.hpp"
#include "files/results_json.hpp"
#include "files/study_json.hpp"
#include "model/parse_parameter.hpp"
#include "program_version.hpp"
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

Json correctionJson(const CurvatureCorrection& c) {
    return {{"pf", number(c.failureProbability)},
            {"beta", number(c.beta)},
            {"message", c.defined ? Json() : Json(c.message)}};
}

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
            {"failures", s.failures},
            {"pf", number(s.failureProbability)},
            {"standardError", number(s.standardError)},
            {"cov", s.variation ? number(*s.variation) : Json()},
            {"pfInterval95",
             {{"lower", number(s.interval.lower)}, {"upper", number(s.interval.upper)}}},
            {"beta", number(s.beta)},
            {"message", s.message.empty() ? Json() : Json(s.message)}};
}

const char* outcomeName(RunOutcome outcome) {
    return outcome == RunOutcome::Completed ? "completed" : "aborted";
}

}  // namespace

Json formJson(const StudyForm& f) {
    const FormResult& form = f.form;
    return {{"beta", number(form.beta)},
            {"pf", number(form.failureProbability)},
            {"converged", form.converged},
            {"message", form.converged ? Json() : Json(form.message)},
            {"evaluations", form.evaluations},
            {"designPoint", f.designPoint ? designPointJson(*f.designPoint) : Json()}};
}

void addDesignRunForm(Json& json, const Study& study) {
    try {
        const StudyForm f = studyForm(study);
        json["form"] = formJson(f);
        json["tailWarning"] = f.tailWarnings.empty() ? Json() : Json(f.tailWarnings.front().text);
    } catch (const ParameterError&) {
        json["form"] = nullptr;
        json["tailWarning"] = nullptr;
    }
}

namespace {

// The fields of a design run, for independent Monte Carlo; the tail warning is the design
// generator's and does not apply.
Json streamsResultsJson(const MethodResult& result) {
    Json json = resultsJson(streamsRun(result), streamFigures(*result.streams));
    json["method"] = std::string(methodName(result.method));
    json["engine"] = "streams";
    json["tailWarning"] = nullptr;
    return json;
}

}  // namespace

RunResult streamsRun(const MethodResult& result) {
    RunResult run;
    run.study = result.study;
    run.threads = result.threads;
    run.outcome = result.outcome;
    run.plannedRepetitions = result.streams->plannedRepetitions;
    run.sampleSize = result.sampleSize;
    for (const StreamRepetition& r : result.streams->repetitions) {
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

Json methodResultsJson(const MethodResult& result) {
    if (result.streams) return streamsResultsJson(result);
    return {
        {"schemaVersion", resultsSchemaVersion},
        {"program", {{"name", std::string(programName)}, {"version", std::string(programVersion)}}},
        {"study", studyToJson(result.study)},
        {"method", std::string(methodName(result.method))},
        {"threads", result.threads},
        {"outcome", outcomeName(result.outcome)},
        {"form", result.form ? formJson(*result.form) : Json()},
        {"sorm", result.sorm ? sormJson(*result.sorm) : Json()},
        {"importanceSampling", result.sampling ? samplingJson(*result.sampling) : Json()},
        {"report", result.report},
    };
}

std::string methodResultsJsonText(const MethodResult& result) {
    return exactJsonText(methodResultsJson(result));
}

}  // namespace ferrolith
