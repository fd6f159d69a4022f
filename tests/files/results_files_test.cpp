#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "failure_statistics/figure_text.hpp"
#include "files/json_text.hpp"
#include "files/results_csv.hpp"
#include "files/results_json.hpp"

namespace ferrolith {
namespace {

using Json = nlohmann::ordered_json;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

// A run of M = 3 repetitions of N = 4 samples, of which `completed` are done.
RunResult runOf(int completed, RunOutcome outcome = RunOutcome::Completed) {
    RunResult run;
    run.study.seed = 18446744073709551615u;
    run.engine = Engine::Reference;
    run.threads = 1;
    run.outcome = outcome;
    run.plannedRepetitions = 3;
    run.sampleSize = 4;
    run.report = "report\r\ntext";
    const RepetitionFigures figures[] = {
        {0.1, 2.0 / 3.0, 19.04773871707131, 1.7976931348623157e308, 0.75},
        {1e-300, 0, 5e-324, 1, 1},
        {nan, inf, -0.0, 2, 0.25},
    };
    run.overall.effectMean = 1.5;
    run.overall.safeMean = nan;
    run.overall.lowerLimit = -inf;
    run.overall.elapsed = 0.125;
    for (int r = 1; r <= completed; ++r) {
        run.repetitions.push_back(figures[r - 1]);
        RepetitionTally t;
        t.seed = static_cast<std::int16_t>(r == 1 ? 0 : 31328);
        t.samples = 4;
        t.failures = r == 2 ? 0 : r;
        t.inputSum = {16, 300, 900, 80, 8, 40, 16};
        t.inputSumSquares = {64.5, 22600, 202600, 1700, 16.5, 410, 70};
        t.failedInputSum = {4.5 * t.failures,  70.0 * t.failures, 220.0 * t.failures,
                            18.0 * t.failures, 2.0 * t.failures,  11.0 * t.failures,
                            5.0 * t.failures};
        run.tallies.push_back(t);
    }
    return run;
}

TEST(ResultsCsv, OneRowARepetitionAtFullPrecision) {
    EXPECT_EQ(resultsCsv(runOf(3)),
              "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,failures\n"
              "1,0,0.1,0.6666666666666666,19.04773871707131,1.7976931348623157e+308,0.75,1\n"
              "2,31328,1e-300,0,5e-324,1,1,0\n"
              "3,31328,,,-0,2,0.25,3\n");
    EXPECT_EQ(resultsCsv(runOf(0)),
              "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,failures\n");
}

std::string jsonTextOf(const RunResult& run) { return resultsJsonText(Analysis::ofDesignRun(run)); }
Json jsonOf(const RunResult& run) { return Json::parse(jsonTextOf(run)); }

TEST(ResultsJson, FieldsInOrderNonFiniteAsNull) {
    const Json j = jsonOf(runOf(3));
    std::vector<std::string> keys;
    for (const auto& [key, value] : j.items()) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"schemaVersion",
                                              "program",
                                              "study",
                                              "method",
                                              "engine",
                                              "threads",
                                              "outcome",
                                              "elapsedSeconds",
                                              "totalSimulations",
                                              "failures",
                                              "pf",
                                              "pfInterval95",
                                              "pfCoV",
                                              "beta",
                                              "betaInterval95",
                                              "returnPeriod",
                                              "repeatedStreams",
                                              "streamInterval95",
                                              "smallSampleWarning",
                                              "effectMean",
                                              "effectStdDev",
                                              "resistMean",
                                              "resistStdDev",
                                              "safeMean",
                                              "safeStdDev",
                                              "lowerLimit",
                                              "upperLimit",
                                              "repetitions",
                                              "importance",
                                              "form",
                                              "tailWarning",
                                              "rangeWarnings",
                                              "verdict",
                                              "methods",
                                              "report"}));
    EXPECT_EQ(j["schemaVersion"], 5);
    EXPECT_EQ(j["method"], "monte-carlo");
    EXPECT_EQ(j["study"]["seed"], 18446744073709551615u);
    EXPECT_EQ(j["engine"], "reference");
    EXPECT_EQ(j["outcome"], "completed");
    EXPECT_EQ(j["elapsedSeconds"], 0.125);
    EXPECT_EQ(j["totalSimulations"], 12);
    EXPECT_TRUE(j["totalSimulations"].is_number_integer());
    EXPECT_EQ(j["failures"], 4);
    EXPECT_EQ(j["pf"], 4.0 / 12.0);
    EXPECT_EQ(j["repeatedStreams"], 1);  // repetitions 2 and 3 share seed 31328
    EXPECT_EQ(j["effectMean"], 1.5);
    EXPECT_TRUE(j["safeMean"].is_null());
    EXPECT_TRUE(j["lowerLimit"].is_null());
    EXPECT_EQ(j["report"], "report\r\ntext");
    const Json& third = j["repetitions"][2];
    EXPECT_EQ(third, Json::parse(R"({"index": 3, "seed": 31328, "effectMean": null,
        "effectStdDev": null, "resistMean": -0.0, "resistStdDev": 2.0, "safeFraction": 0.25,
        "failures": 3})"));
    ASSERT_EQ(j["importance"].size(), 7u);
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        EXPECT_EQ(j["importance"][i]["name"], inputVariables[i].name);
    EXPECT_EQ(j["importance"][0]["meanAll"], 4.0);
    EXPECT_EQ(j["importance"][0]["meanFailed"], 4.5);
}

TEST(ResultsJson, NumbersReadBackToTheSameDoubles) {
    const RunResult run = runOf(3);
    const Json j = jsonOf(run);
    for (std::size_t i = 0; i < 2; ++i) {
        const Json& row = j["repetitions"][i];
        const RepetitionFigures& f = run.repetitions[i];
        EXPECT_EQ(row["effectMean"].get<double>(), f.effectMean);
        EXPECT_EQ(row["effectStdDev"].get<double>(), f.effectStdDev);
        EXPECT_EQ(row["resistMean"].get<double>(), f.resistMean);
        EXPECT_EQ(row["resistStdDev"].get<double>(), f.resistStdDev);
        EXPECT_EQ(row["safeFraction"].get<double>(), f.safeFraction);
    }
}

TEST(ResultsJson, AnAbortedRunHasNoOverallFiguresNorTiming) {
    const Json j = jsonOf(runOf(1, RunOutcome::Aborted));
    EXPECT_EQ(j["outcome"], "aborted");
    EXPECT_TRUE(j["elapsedSeconds"].is_null());
    for (const char* name : {"effectMean", "effectStdDev", "resistMean", "resistStdDev", "safeMean",
                             "safeStdDev", "lowerLimit", "upperLimit"})
        EXPECT_TRUE(j[name].is_null()) << name;
    EXPECT_EQ(j["failures"], 1);
    EXPECT_EQ(j["repetitions"].size(), 1u);
    EXPECT_TRUE(j["streamInterval95"].is_null());  // one stream gives no spread
}

TEST(ResultsJson, BeforeAnyRepetitionEveryFigureIsNull) {
    const Json j = jsonOf(runOf(0, RunOutcome::Aborted));
    for (const char* name :
         {"failures", "pf", "pfInterval95", "pfCoV", "beta", "betaInterval95", "returnPeriod",
          "repeatedStreams", "streamInterval95", "smallSampleWarning"})
        EXPECT_TRUE(j[name].is_null()) << name;
    EXPECT_TRUE(j["repetitions"].empty());
    EXPECT_TRUE(j["importance"].empty());
}

TEST(ResultsJson, NothingFailedGivesNullForTheInfiniteFigures) {
    RunResult run = runOf(3);
    for (RepetitionTally& t : run.tallies) {
        t.failures = 0;
        t.failedInputSum = {};
    }
    const Json j = jsonOf(run);
    EXPECT_EQ(j["pf"], 0.0);
    EXPECT_TRUE(j["beta"].is_null());
    EXPECT_TRUE(j["returnPeriod"].is_null());
    EXPECT_TRUE(j["pfCoV"].is_null());
    EXPECT_TRUE(j["importance"].empty());
    EXPECT_GT(j["pfInterval95"]["upper"].get<double>(), 0.0);
}

TEST(ResultsJson, FewSamplesARepetitionGiveTheWarningTheAdviceLineEndsWith) {
    const RunResult run = runOf(3);  // 4 samples a repetition
    const Json j = jsonOf(run);
    const std::string warning = j["smallSampleWarning"].get<std::string>();
    EXPECT_EQ(warning.rfind("With only 4 samples a repetition, Pf is biased: ", 0), 0u) << warning;
    const std::string advice = adviceLine(*failureFigures(run.tallies, 3, RunStatus::Completed));
    ASSERT_GT(advice.size(), warning.size());
    EXPECT_EQ(advice.substr(advice.size() - warning.size()), warning);
    EXPECT_EQ(warning.find('\n'), std::string::npos);
}

// Two repetitions on distinct streams with `failures` of `samples` each.
RunResult agreeingStreams(std::int64_t failures, std::int64_t samples) {
    RunResult run = runOf(2);
    for (RepetitionTally& t : run.tallies) {
        t.samples = samples;
        t.failures = failures;
    }
    return run;
}

TEST(ResultsJson, StreamsThatAgreeHaveNoIntervalAndTheFiguresAreExact) {
    // Pf 0.5: beta is 0, not -0.
    const std::string half = jsonTextOf(agreeingStreams(2, 4));
    EXPECT_NE(half.find("\n  \"beta\": 0.0,\n"), std::string::npos);
    EXPECT_NE(half.find("\n  \"streamInterval95\": null,\n"), std::string::npos);

    const Json j = jsonOf(agreeingStreams(1, 25000));
    EXPECT_EQ(j["pf"], 4e-5);
    EXPECT_EQ(j["returnPeriod"], 25000.0);  // samples over failures, not 1 / pf
    EXPECT_TRUE(j["streamInterval95"].is_null());
    EXPECT_TRUE(j["smallSampleWarning"].is_null());
    EXPECT_EQ(j["repeatedStreams"], 0);
}

TEST(ExactJsonText, LaidOutAsNlohmannDoesWithTheShortestExactNumbers) {
    const Json layout =
        Json::parse(R"({"a": [1, -2, "x\u00e9\n"], "b": {}, "c": [], "d": {"e": null,
        "f": true}, "g": 18446744073709551615})");
    EXPECT_EQ(exactJsonText(layout), layout.dump(2) + "\n");
    // Doubles for which nlohmann's Grisu2 writes one digit too many.
    const Json numbers = {
        74.0685320642392, -3.223839540649372e-236, 25000.0, -0.0, 0.1, 1e300, 5e-324, nan, -inf};
    EXPECT_EQ(exactJsonText(numbers),
              "[\n  74.0685320642392,\n  -3.223839540649372e-236,\n  25000.0,\n  -0.0,\n  0.1,\n"
              "  1e+300,\n  5e-324,\n  null,\n  null\n]\n");
    EXPECT_NE(numbers.dump(),
              "[74.0685320642392,-3.223839540649372e-236,25000.0,-0.0,0.1,1e+300,"
              "5e-324,null,null]");
    const Json back = Json::parse(exactJsonText(numbers));
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(back[i].get<double>(), numbers[i].get<double>());
        EXPECT_TRUE(back[i].is_number_float());
    }
    EXPECT_TRUE(std::signbit(back[3].get<double>()));
}

}  // namespace
}  // namespace ferrolith
