// --record: the calculation record the driver writes as PDF, read back with poppler-utils.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "failure_statistics/figure_text.hpp"
#include "support/file_test_support.hpp"
#include "support/pdf_tools.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"
#include "support/verdict_cases.hpp"

namespace ferrolith::test {
namespace {

using testing::pdfImageCount;
using testing::pdfPages;
using testing::pdfText;
using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using Json = nlohmann::json;

// No display of any kind: the record must be drawn all the same.
const std::string noDisplay = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";

struct RecordRun {
    Result cli;
    Json json;
    std::string text;  // of the PDF
    int pages = 0;
    int images = 0;
};

RecordRun runWithRecord(const std::string& options) {
    TempPath pdf("record.pdf"), json("record.json");
    RecordRun run{
        runCli(options + " --quiet --json " + json.path + " --record " + pdf.path, noDisplay),
        {},
        {},
        0,
        0};
    if (std::filesystem::exists(json.path)) run.json = Json::parse(slurp(json.path));
    run.text = pdfText(pdf.path);
    run.pages = pdfPages(pdf.path);
    run.images = pdfImageCount(pdf.path);
    return run;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The record's text with each run of blanks and line ends as one blank: a long line wraps.
std::string flowing(const std::string& text) {
    std::string out;
    for (char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r';
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

std::string lastLine(const std::string& report) { return report.substr(report.rfind("\r\n") + 2); }

TEST(RecordOption, ADefaultRunFitsSixPagesOfTextAndVectors) {
    const RecordRun run = runWithRecord("--seed 987654321");
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    EXPECT_TRUE(has(run.text, "987654321"));
    EXPECT_TRUE(has(run.text, formatFigure(run.json["pf"].get<double>())));
    EXPECT_TRUE(has(run.text, lastLine(run.cli.out))) << lastLine(run.cli.out);
    EXPECT_TRUE(has(run.text, "Page 1 of " + std::to_string(run.pages)));
    EXPECT_GE(run.pages, 2);
    EXPECT_LE(run.pages, 6);
    // The charts are lines and shapes, not pictures.
    EXPECT_EQ(run.images, 0);
    // Only the driver's own lines on standard error: nothing from the toolkit.
    EXPECT_FALSE(has(run.cli.err, "QStandardPaths")) << run.cli.err;
}

TEST(RecordOption, AClockSeededRunRecordsTheSeedItUsed) {
    const RecordRun run = runWithRecord("--repetitions 2 --samples 300");
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    const auto seed = run.json["study"]["seed"].get<std::uint64_t>();
    EXPECT_TRUE(has(run.text, std::to_string(seed))) << seed;
}

TEST(RecordOption, ALongReportKeepsItsInputAndOverallBlocks) {
    const RecordRun run = runWithRecord("--seed 5 --repetitions 2000 --samples 10");
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    EXPECT_TRUE(has(run.text, "2000 repetition blocks are left out here to keep the record "));
    EXPECT_TRUE(has(run.text, "Beam Length: (4,0.05) Dist.: Normal"));
    EXPECT_TRUE(has(run.text, "Overall Result:"));
    EXPECT_TRUE(has(run.text, lastLine(run.cli.out)));
    EXPECT_FALSE(has(run.text, "Iteration: 1\n"));
    EXPECT_LE(run.pages, 6);
}

TEST(RecordOption, AMethodRunRecordsThatMethodInsteadOfTheDesignFigures) {
    const RecordRun run = runWithRecord("--method sorm --seed 3");
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    const Json& form = run.json["form"];
    EXPECT_TRUE(has(run.text, formatFigure(form["beta"].get<double>())));
    EXPECT_TRUE(has(run.text, formatFigure(run.json["sorm"]["breitung"]["pf"].get<double>())));
    EXPECT_TRUE(
        has(flowing(run.text), "falls short of RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)"));
    EXPECT_FALSE(has(run.text, "Run completed"));
    EXPECT_FALSE(has(run.text, "Overall Result:"));
}

// Each verdict in the same words in the driver's text, the results file and the record; the
// Methods tab is held to the same cases.
TEST(RecordOption, EachVerdictIsWordedAlikeInTheTextTheResultsAndTheRecord) {
    for (const VerdictCase& v : verdictCases) {
        SCOPED_TRACE(v.name);
        const RecordRun run = runWithRecord(verdictArgs(v));
        EXPECT_TRUE(has(run.cli.out, "Target: " + std::string(v.words) + "\n")) << run.cli.out;
        EXPECT_EQ(run.json["verdict"]["text"], v.words);
        EXPECT_TRUE(has(flowing(run.text), v.words)) << run.text;
    }
}

// The project details of the options reach the record's first page, the results file's study
// and the saved study; a bad one is one line and no run.
TEST(RecordOption, TheProjectDetailsAreOnTheFirstPageAndInTheStudy) {
    TempPath study("project.json");
    const RecordRun run = runWithRecord(
        "--seed 4 --repetitions 2 --samples 100 --project 'Footbridge 7, \"east\" span' "
        "--engineer 'A. Engineer' --checker 'Grüße C.' --save-study " +
        study.path);
    ASSERT_EQ(run.cli.status, 0) << run.cli.err;
    const std::string firstPage = flowing(run.text.substr(0, run.text.find('\f')));
    for (const char* part :
         {"Footbridge 7, \"east\" span", "A. Engineer", "Grüße C.", "Signature:"})
        EXPECT_TRUE(has(firstPage, part)) << part << "\n" << firstPage;
    EXPECT_EQ(run.json["study"]["engineer"], "A. Engineer");
    EXPECT_EQ(run.json["study"]["checker"], "Grüße C.");
    EXPECT_EQ(Json::parse(slurp(study.path))["project"], "Footbridge 7, \"east\" span");

    const Result bad = runCli("--repetitions 1 --samples 1 --engineer \"$(printf 'A\\nB')\"");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err,
              "ferrolith-cli: --engineer: \"A\\nB\" holds a line break; it must be one line\n");
    EXPECT_EQ(bad.out, "");
}

TEST(RecordOption, AFailedWriteIsOneLineExitFourAndNoFile) {
    const testing::TempFolder dir;
    const std::string path = (dir.missingFolder() / "record.pdf").string();
    const Result r = runCli("--repetitions 1 --samples 5 --quiet --record " + path, noDisplay);
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("ferrolith-cli: Error while saving file " + path +
                         " No such file or directory\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(testing::countOf(r.err, "ferrolith-cli:"), 1) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(runCli("--record ''").status, 2);
    const Result help = runCli("--help");
    EXPECT_TRUE(has(help.out, "--record FILE")) << help.out;
    EXPECT_TRUE(has(help.out, "results or record) could not be written")) << help.out;
}

TEST(RecordOption, DrawnOffscreenWhateverPlatformTheEnvironmentNames) {
    for (const std::string platform : {"xcb", "wayland"}) {
        for (const std::string options :
             {"--seed 1 --method form", "--seed 1 --repetitions 2 --samples 100"}) {
            TempPath pdf("platform.pdf");
            const Result r = runCli(options + " --quiet --record " + pdf.path,
                                    "QT_QPA_PLATFORM=" + platform + " DISPLAY= WAYLAND_DISPLAY= ");
            const std::string what = platform + " " + options;
            EXPECT_EQ(r.status, 0) << what << r.err;
            EXPECT_GE(pdfPages(pdf.path), 1) << what;
            EXPECT_EQ(testing::withoutTiming(r.out),
                      testing::withoutTiming(runCli(options + " --quiet").out))
                << what;
        }
    }
}

TEST(RecordOption, AFailedWriteLeavesTheOldFile) {
    TempPath pdf("kept.pdf");
    std::ofstream(pdf.path) << "the record before";
    // A file-size limit of 2 KiB: the record, far larger, cannot be written.
    const Result r = runCli("--repetitions 1 --samples 5 --quiet --record " + pdf.path,
                            "ulimit -f 4; " + noDisplay);
    EXPECT_EQ(r.status, 4) << r.err;
    EXPECT_NE(r.err.find(" File too large\n"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(pdf.path), "the record before");
}

}  // namespace
}  // namespace ferrolith::test
