#include "results_file/results_json.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "failure_statistics/failure_figures.hpp"
#include "failure_statistics/figure_text.hpp"
#include "program_version.hpp"
#include "results_file/json_text.hpp"
#include "study/study_json.hpp"

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
void addOverallFigures(Json& json, const RunState& s, bool completed) {
    const std::pair<const char*, double> figures[] = {
        {"effectMean", s.overallEffectMean}, {"effectStdDev", s.overallEffectStdDev},
        {"resistMean", s.overallResistMean}, {"resistStdDev", s.overallResistStdDev},
        {"safeMean", s.overallSafeMean},     {"safeStdDev", s.overallSafeStdDev},
        {"lowerLimit", s.lowerLimit},        {"upperLimit", s.upperLimit},
    };
    for (const auto& [name, value] : figures) json[name] = completed ? number(value) : Json();
}

Json repetitions(const RunState& s) {
    Json list = Json::array();
    for (std::size_t i = 0; i < s.repetitionTallies.size(); ++i) {
        const std::size_t r = i + 1;  // the run arrays hold repetition r in slot r
        list.push_back({{"index", r},
                        {"seed", s.repetitionTallies[i].seed},
                        {"effectMean", number(s.effectMean[r])},
                        {"effectStdDev", number(s.effectStdDev[r])},
                        {"resistMean", number(s.resistMean[r])},
                        {"resistStdDev", number(s.resistStdDev[r])},
                        {"safeFraction", number(s.safeFraction[r])},
                        {"failures", s.repetitionTallies[i].failures}});
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

}  // namespace

Json resultsJson(const RunRecord& record) {
    const RunState& s = record.state;
    const bool completed = record.outcome == RunOutcome::Completed;
    const int planned = static_cast<int>(s.effectMean.size()) - 1;
    const auto figures = failureFigures(s.repetitionTallies, planned,
                                        completed ? RunStatus::Completed : RunStatus::Aborted);
    Json json = {
        {"schemaVersion", resultsSchemaVersion},
        {"program", {{"name", std::string(programName)}, {"version", std::string(programVersion)}}},
        {"study", studyToJson(record.study)},
        {"engine", record.engine == Engine::Reference ? "reference" : "fast"},
        {"threads", record.threads},
        {"outcome", completed ? "completed" : "aborted"},
        {"elapsedSeconds", completed ? number(s.runElapsed) : Json()},
        // N x M, whole and far inside 2^53.
        {"totalSimulations", static_cast<std::int64_t>(s.totalSimulations)},
    };
    addFailureFigures(json, figures);
    addOverallFigures(json, s, completed);
    json["repetitions"] = repetitions(s);
    json["importance"] = importance(figures);
    json["report"] = record.report;
    return json;
}

std::string resultsJsonText(const RunRecord& record) { return exactJsonText(resultsJson(record)); }

}  // namespace ferrolith
