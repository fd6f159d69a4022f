// --json and --csv as the driver writes them, checked against the report it prints.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "files/study_file.hpp"
#include "files/study_json.hpp"
#include "report/report_text.hpp"
#include "support/file_test_support.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"

namespace ferrolith::test {
namespace {

using testing::joined;
using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using testing::withoutTiming;

using Json = nlohmann::ordered_json;

struct ResultsRun {
    Result cli;
    Json json;
    std::string csv;
};

ResultsRun runWithResults(const std::string& options) {
    TempPath json("results.json"), csv("results.csv");
    ResultsRun run{runCli(options + " --json " + json.path + " --csv " + csv.path), {}, {}};
    run.json = Json::parse(slurp(json.path));
    run.csv = slurp(csv.path);
    return run;
}

// The report's blocks written anew from the file's numbers: they match the printed report only
// if the file holds the very doubles the report was printed from.
std::string iterationBlocksOf(const Json& repetitions) {
    std::string text;
    for (const Json& r : repetitions)
        text += joined(iterationBlockPieces(r["index"], r["effectMean"], r["effectStdDev"],
                                            r["resistMean"], r["resistStdDev"], r["safeFraction"]));
    return text;
}

std::string overallBlockOf(const Json& j) {
    OverallFigures o;
    o.effectMean = j["effectMean"];
    o.effectStdDev = j["effectStdDev"];
    o.resistMean = j["resistMean"];
    o.resistStdDev = j["resistStdDev"];
    o.safeMean = j["safeMean"];
    o.safeStdDev = j["safeStdDev"];
    o.lowerLimit = j["lowerLimit"];
    o.upperLimit = j["upperLimit"];
    const double totalSimulations = j["totalSimulations"];
    o.elapsed = j["elapsedSeconds"];
    o.timePerSimulation = o.elapsed / totalSimulations;
    return joined(overallBlockPieces(o, totalSimulations));
}

TEST(ResultsFiles, AgreeWithThePrintedReport) {
    const ResultsRun run = runWithResults("--repetitions 5 --samples 700 --dist 3=Gumbel");
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    const std::string& report = run.cli.out;
    EXPECT_EQ(run.json["report"], report);
    EXPECT_EQ(run.json["outcome"], "completed");
    ASSERT_EQ(run.json["repetitions"].size(), 5u);
    const std::string blocks = iterationBlocksOf(run.json["repetitions"]);
    EXPECT_NE(report.find(blocks), std::string::npos);
    EXPECT_EQ(report.substr(report.size() - overallBlockOf(run.json).size()),
              overallBlockOf(run.json));

    // The CSV holds the same repetitions, number for number.
    std::istringstream lines(run.csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line,
              "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,failures");
    std::int64_t failures = 0;
    for (const Json& r : run.json["repetitions"]) {
        ASSERT_TRUE(std::getline(lines, line));
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
        ASSERT_EQ(cells.size(), 8u) << line;
        EXPECT_EQ(std::stoi(cells[0]), r["index"]);
        EXPECT_EQ(std::stoi(cells[1]), r["seed"]);
        const char* names[] = {"effectMean", "effectStdDev", "resistMean", "resistStdDev",
                               "safeFraction"};
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(std::strtod(cells[2 + k].c_str(), nullptr), r[names[k]].get<double>());
        EXPECT_EQ(std::stoll(cells[7]), r["failures"]);
        failures += r["failures"].get<std::int64_t>();
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(run.json["failures"], failures);
    EXPECT_EQ(run.json["pf"].get<double>(), static_cast<double>(failures) / 3500);
}

TEST(ResultsFiles, TheStudyInsideRepeatsAClockSeededRun) {
    const ResultsRun run = runWithResults("--repetitions 3 --samples 400 --param 6=5,1");
    ASSERT_TRUE(run.json["study"].contains("seed"));
    TempPath study("from-results.json");
    std::ofstream(study.path) << run.json["study"].dump();
    const Result again = runCli("--study " + study.path);
    EXPECT_EQ(withoutTiming(again.out), withoutTiming(run.cli.out));
    EXPECT_EQ(studyFromJson(run.json["study"]).parameters[6], "5,1");
}

TEST(ResultsFiles, AnAbortedRunIsRecordedAsAborted) {
    const ResultsRun run = runWithResults("--dist 0=Poisson --seed 3");
    EXPECT_EQ(run.cli.status, 3);
    EXPECT_EQ(run.json["outcome"], "aborted");
    EXPECT_TRUE(run.json["effectMean"].is_null());
    EXPECT_EQ(run.json["report"], run.cli.out);
    EXPECT_EQ(run.csv,
              "index,seed,effectMean,effectStdDev,resistMean,resistStdDev,safeFraction,"
              "failures\n");
}

TEST(ResultsFiles, ARunThatFailsAtItsInputsWritesNone) {
    for (const char* failing : {"--repetitions abc", "--param '2=225;10'"}) {
        TempPath json("failed.json"), csv("failed.csv");
        const Result r =
            runCli(std::string(failing) + " --json " + json.path + " --csv " + csv.path);
        EXPECT_EQ(r.status, 2) << failing;
        EXPECT_FALSE(std::filesystem::exists(json.path)) << failing;
        EXPECT_FALSE(std::filesystem::exists(csv.path)) << failing;
    }
}

TEST(ResultsFiles, AFailedWriteIsOneLineAndExitFour) {
    TempPath csv("written.csv");
    const testing::TempFolder dir;
    const std::string missing = (dir.missingFolder() / "r.json").string();
    const Result r = runCli("--repetitions 1 --samples 1 --json " + missing + " --csv " + csv.path);
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.out.find("Total number of simulations was 1\r\n"), std::string::npos);
    EXPECT_NE(r.err.find("ferrolith-cli: Error while saving file " + missing +
                         " No such file or directory\n"),
              std::string::npos);
    EXPECT_EQ(slurp(csv.path).rfind("index,", 0), 0u);  // the other file is still written
    for (const char* option : {"--json", "--csv"})
        EXPECT_EQ(runCli(std::string(option) + " ''").status, 2) << option;
}

}  // namespace
}  // namespace ferrolith::test
