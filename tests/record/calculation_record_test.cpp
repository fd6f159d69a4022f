// The calculation record's contents: the charts' data it takes from a design run, and the report
// as it prints it.
#include "record/calculation_record.hpp"

#include <gtest/gtest.h>

#include "record/record_texts.hpp"
#include "record/report_lines.hpp"
#include "report/report_text.hpp"
#include "session/method_run.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"

namespace ferrolith::test {
namespace {

using testing::joined;
using testing::RecordingObserver;
using testing::runSeeded;
using testing::studyOf;

// A report of the given repetitions, built from the report's own blocks.
std::string reportOf(int repetitions, bool aborted = false) {
    NameArray names;
    names.fill("Normal");
    std::string report = joined(inputBlockPieces(testing::defaultParamTexts(), names));
    for (int r = 1; r <= repetitions; ++r)
        report += joined(iterationBlockPieces(r, 10.5, 1.25, 20.5, 2.5, 0.75));
    report += aborted ? joined(abortBlockPieces()) : joined(overallBlockPieces({}, 100));
    return report;
}

std::vector<std::string> linesOf(const std::vector<std::string>& pieces) {
    const std::string text = joined(pieces);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find(crlf, at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + crlf.size();
    }
    return lines;
}

TEST(ReportLines, AReportThatFitsIsPrintedWhole) {
    const std::string report = reportOf(3);
    const ReportLines kept = reportLines(report, 1000);
    EXPECT_EQ(kept.blocksLeftOut, 0);
    std::string rejoined;
    for (const std::string& line : kept.lines) rejoined += line + std::string(crlf);
    EXPECT_EQ(rejoined, report + std::string(crlf));
}

TEST(ReportLines, ALongReportKeepsItsInputAndLastBlocks) {
    NameArray names;
    names.fill("Normal");
    const auto input = linesOf(inputBlockPieces(testing::defaultParamTexts(), names));
    for (const bool aborted : {false, true}) {
        const auto last = linesOf(aborted ? abortBlockPieces() : overallBlockPieces({}, 100));
        const ReportLines kept = reportLines(reportOf(40, aborted), 100);
        EXPECT_EQ(kept.blocksLeftOut, 40);
        std::vector<std::string> expected = input;
        expected.push_back(
            "[40 repetition blocks are left out here to keep the record short; the saved report "
            "holds them all.]");
        expected.emplace_back();
        expected.insert(expected.end(), last.begin(), last.end());
        EXPECT_EQ(kept.lines, expected) << aborted;
    }
    EXPECT_EQ(record_text::repetitionsLeftOut(1),
              "[1 repetition block is left out here to keep the record short; the saved report "
              "holds them all.]");
}

TEST(CalculationRecord, DrawsTheAnalysisWithTheChartsOfItsDesignRun) {
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("6", "400"), 77);
    const CalculationRecord record = calculationRecord(Analysis::ofDesignRun(run));
    ASSERT_TRUE(record.design);
    EXPECT_EQ(record.analysis.study(), run.study);
    EXPECT_EQ(record.analysis.startedAt(), run.startedAt);
    EXPECT_GT(run.startedAt, 1'600'000'000);
    EXPECT_EQ(record.design->convergence.size(), 6u);
    ASSERT_TRUE(record.design->distributions);
    const auto& h = record.design->distributions->margin;
    std::int64_t counted = h.notFinite;
    for (std::int64_t c : h.counts) counted += c;
    EXPECT_EQ(counted, 400);
    EXPECT_EQ(record_text::pageLine(2, 5), "Page 2 of 5");

    const reliability::MethodResult form =
        runMethod({run.study, {}}, {reliability::Method::Form}, o);
    const CalculationRecord alone = calculationRecord(Analysis::ofMethod(form));
    EXPECT_FALSE(alone.design);
    EXPECT_EQ(alone.analysis.startedAt(), form.startedAt);
}

}  // namespace
}  // namespace ferrolith::test
