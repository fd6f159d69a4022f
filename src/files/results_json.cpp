#include "files/results_json.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "analysis/agreement.hpp"
#include "failure_statistics/failure_figures.hpp"
#include "failure_statistics/figure_text.hpp"
#include "files/design_for_target_json.hpp"
#include "files/json_text.hpp"
#include "files/method_json.hpp"
#include "files/study_json.hpp"
#include "program_version.hpp"

namespace ferrolith {

namespace {

using Json = nlohmann::ordered_json;

Json number(double x) { return std::isfinite(x) ? Json(x) : Json(nullptr); }

Json number(const std::optional<double>& x) { return x ? number(*x) : Json(nullptr); }

Json interval(const ProbabilityInterval& i) {
    return {{"lower", number(i.lower)}, {"upper", number(i.upper)}};
}

// The failure statistics; all null when no repetition was completed.
void addFailureFigures(Json& json, const std::optional<FailureFigures>& f) {
    if (!f) {
        for (const char* name :
             {"failures", "pf", "pfInterval95", "pfCoV", "beta", "betaInterval95", "returnPeriod",
              "repeatedStreams", "streamInterval95", "smallSampleWarning"})
            json[name] = nullptr;
        return;
    }
    json["failures"] = f->failures;
    json["pf"] = number(f->failureProbability);
    json["pfInterval95"] = interval(f->wilson);
    json["pfCoV"] = number(f->variation);
    json["beta"] = number(f->reliabilityIndex);
    json["betaInterval95"] = interval(f->reliabilityInterval);
    json["returnPeriod"] = number(f->returnPeriod);
    json["repeatedStreams"] = f->streams.repeatedRepetitions;
    json["streamInterval95"] = f->streams.interval ? interval(*f->streams.interval) : Json();
    const auto warning = smallSampleWarning(*f);
    json["smallSampleWarning"] = warning ? Json(*warning) : Json();
}

// The overall block's figures; null for an aborted run, which has no overall block.
void addOverallFigures(Json& json, const OverallFigures& o, bool completed) {
    const std::pair<const char*, double> figures[] = {
        {"effectMean", o.effectMean}, {"effectStdDev", o.effectStdDev},
        {"resistMean", o.resistMean}, {"resistStdDev", o.resistStdDev},
        {"safeMean", o.safeMean},     {"safeStdDev", o.safeStdDev},
        {"lowerLimit", o.lowerLimit}, {"upperLimit", o.upperLimit},
    };
    for (const auto& [name, value] : figures) json[name] = completed ? number(value) : Json();
}

Json repetitions(const RunResult& run) {
    Json list = Json::array();
    for (std::size_t i = 0; i < run.repetitions.size(); ++i) {
        const RepetitionFigures& f = run.repetitions[i];
        list.push_back({{"index", i + 1},
                        {"seed", run.tallies[i].seed},
                        {"effectMean", number(f.effectMean)},
                        {"effectStdDev", number(f.effectStdDev)},
                        {"resistMean", number(f.resistMean)},
                        {"resistStdDev", number(f.resistStdDev)},
                        {"safeFraction", number(f.safeFraction)},
                        {"failures", run.tallies[i].failures}});
    }
    return list;
}

// In the fixed input order; empty when nothing failed.
Json importance(const std::optional<FailureFigures>& f) {
    Json list = Json::array();
    if (!f) return list;
    std::vector<InputImportance> inputs = f->importance;
    std::sort(inputs.begin(), inputs.end(),
              [](const auto& a, const auto& b) { return a.variable < b.variable; });
    for (const InputImportance& input : inputs)
        list.push_back({{"name", std::string(info(input.variable).name)},
                        {"meanAll", number(input.mean)},
                        {"meanFailed", number(input.failedMean)},
                        {"shift", number(input.shift)}});
    return list;
}

// The methods of a design run's file that disagree beyond their intervals.
Json disagreementsJson(const Analysis& analysis) {
    Json list = Json::array();
    for (const Disagreement& d : disagreements(analysis.estimates()))
        list.push_back(
            {{"methods", {std::string(methodName(d.first)), std::string(methodName(d.second))}},
             {"ratio", number(d.ratio)},
             {"text", d.text}});
    return list;
}

// The inputs whose laws give values out of range, in every kind of file.
Json rangeWarnings(const Analysis& analysis) {
    Json list = Json::array();
    for (const RangeWarning& w : analysis.rangeWarnings())
        list.push_back({{"name", std::string(info(w.variable).name)},
                        {"median", number(w.drawn.median)},
                        {"lower", number(w.drawn.lower)},
                        {"upper", number(w.drawn.upper)},
                        {"normalLower", number(w.normal.lower)},
                        {"normalUpper", number(w.normal.upper)},
                        {"text", w.text}});
    return list;
}

// The fields of a design run, with the failure statistics given: independent Monte Carlo's are
// those of repetitions that are streams of their own.
Json runJson(const RunResult& run, const std::optional<FailureFigures>& figures) {
    const bool completed = run.outcome == RunOutcome::Completed;
    Json json = {
        {"schemaVersion", resultsSchemaVersion},
        {"program", {{"name", std::string(programName)}, {"version", std::string(programVersion)}}},
        {"study", studyToJson(run.study)},
        {"method", "monte-carlo"},
        {"engine", run.engine == Engine::Reference ? "reference" : "fast"},
        {"threads", run.threads},
        {"outcome", completed ? "completed" : "aborted"},
        {"elapsedSeconds", completed ? number(run.overall.elapsed) : Json()},
        // N x M, whole and far inside 2^53.
        {"totalSimulations", static_cast<std::int64_t>(run.totalSimulations())},
    };
    addFailureFigures(json, figures);
    addOverallFigures(json, run.overall, completed);
    json["repetitions"] = repetitions(run);
    json["importance"] = importance(figures);
    return json;
}

Json designRunJson(const Analysis& analysis, const DesignRun& design) {
    Json json = runJson(design.run, design.figures);
    json["form"] = analysis.form() ? formJson(analysis.study(), *analysis.form()) : Json();
    const auto warning = analysis.tailWarning();
    json["tailWarning"] = warning ? Json(*warning) : Json();
    json["rangeWarnings"] = rangeWarnings(analysis);
    json["verdict"] = verdictJson(analysis, design.estimate);
    Json methods = Json::array();
    for (const reliability::MethodResult& m : analysis.methods())
        methods.push_back(methodEntryJson(analysis, m));
    json["methods"] = methods;
    json["disagreements"] = disagreementsJson(analysis);
    json["report"] = design.run.report;
    return json;
}

Json streamsJson(const Analysis& analysis, const reliability::MethodResult& result) {
    const auto& answer = std::get<reliability::StreamsAnswer>(result.answer);
    Json json = runJson(streamsRun(result), answer.figures);
    json["method"] = std::string(methodName(result.method()));
    json["engine"] = "streams";
    json["form"] = analysis.form() ? formJson(analysis.study(), *analysis.form()) : Json();
    // The tail warning is the design generator's and does not apply.
    json["tailWarning"] = nullptr;
    json["rangeWarnings"] = rangeWarnings(analysis);
    json["verdict"] = verdictJson(analysis, methodEstimate(result));
    json["report"] = result.report;
    return json;
}

Json methodJson(const Analysis& analysis, const reliability::MethodResult& result) {
    Json json = {
        {"schemaVersion", resultsSchemaVersion},
        {"program", {{"name", std::string(programName)}, {"version", std::string(programVersion)}}},
        {"study", studyToJson(result.study)},
        {"method", std::string(methodName(result.method()))},
        {"threads", result.threads},
        {"outcome", result.outcome == RunOutcome::Completed ? "completed" : "aborted"},
        {"form", result.form ? formJson(analysis.study(), *result.form) : Json()},
    };
    addMethodFigures(json, result);
    json["rangeWarnings"] = rangeWarnings(analysis);
    json["verdict"] = verdictJson(analysis, methodEstimate(result));
    json["report"] = result.report;
    return json;
}

Json analysisJson(const Analysis& analysis) {
    if (const auto& design = analysis.design()) return designRunJson(analysis, *design);
    const reliability::MethodResult& method = analysis.methods().front();
    if (std::holds_alternative<reliability::StreamsAnswer>(method.answer))
        return streamsJson(analysis, method);
    return methodJson(analysis, method);
}

}  // namespace

Json resultsJson(const Analysis& analysis) {
    Json json = analysisJson(analysis);
    // Only a file of an analysis that searched one holds it.
    if (const auto& design = analysis.designForTarget())
        json["designForTarget"] = designForTargetJson(*design);
    return json;
}

std::string resultsJsonText(const Analysis& analysis) {
    return exactJsonText(resultsJson(analysis));
}

}  // namespace ferrolith
