// The calculation record's contents: what it takes from a run and its methods, the report as it
// prints it, and whether each beta meets the target index.
#include "record/calculation_record.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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

TEST(RecordTexts, EachBetaIsCheckedAgainstTheTarget) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double beta;
        double target;
        const char* line;
    } cases[] = {
        {4.2, 3.8, "beta 4.200 meets the target index 3.800."},
        {3.8, 3.8, "beta 3.800 meets the target index 3.800."},
        {3.7999, 3.8, "beta 3.800 falls short of the target index 3.800."},
        {-0.5, 3.8, "beta -0.5000 falls short of the target index 3.800."},
        {nan, 3.8, "No beta to check against the target index 3.800."},
        {3.0, 2.5, "beta 3.000 meets the target index 2.500."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(record_text::targetLine(record_text::beta, c.beta, c.target), c.line);
    EXPECT_EQ(record_text::pageLine(2, 5), "Page 2 of 5");
}

TEST(CalculationRecord, HoldsTheRunsFiguresAsTheWindowComputesThem) {
    RecordingObserver o;
    const RunResult run = runSeeded(o, studyOf("6", "400"), 77);
    const CalculationRecord record = calculationRecord(run);
    ASSERT_TRUE(record.design);
    EXPECT_EQ(record.study, run.study);
    EXPECT_EQ(record.study.seed, 77u);
    EXPECT_EQ(record.startedAt, run.startedAt);
    EXPECT_GT(run.startedAt, 1'600'000'000);
    EXPECT_EQ(record.design->report, run.report);
    const auto figures = failureFigures(run.tallies, 6, RunStatus::Completed);
    ASSERT_TRUE(figures && record.design->figures);
    EXPECT_EQ(record.design->figures->failures, figures->failures);
    EXPECT_EQ(record.design->figures->failureProbability, figures->failureProbability);
    EXPECT_EQ(record.design->convergence.size(), 6u);
    ASSERT_TRUE(record.design->distributions);
    const auto& h = record.design->distributions->margin;
    std::int64_t counted = h.notFinite;
    for (std::int64_t c : h.counts) counted += c;
    EXPECT_EQ(counted, 400);
    EXPECT_EQ(record.targetIndex, defaultTargetIndex);
    EXPECT_TRUE(record.warnings.empty());
    ASSERT_TRUE(record.form);
    EXPECT_TRUE(record.form->form.converged);
}

TEST(CalculationRecord, CarriesTheTailWarningTheMethodsAndTheTarget) {
    RecordingObserver o;
    Study study = studyOf("2", "200");
    study.parameters[static_cast<std::size_t>(InputVariable::AllowableStress)] = "90,3";
    study.targetIndex = 4.7;
    const RunResult run = runSeeded(o, study, 5);
    const std::vector<reliability::TailWarning> warnings =
        reliability::studyForm(run.study).tailWarnings;
    ASSERT_FALSE(warnings.empty());
    const reliability::MethodResult form =
        runMethod({run.study, {}}, {reliability::Method::Form}, o);
    const CalculationRecord record = calculationRecord(run, {form});
    EXPECT_EQ(record.warnings, std::vector<std::string>{warnings.front().text});
    ASSERT_EQ(record.methods.size(), 1u);
    EXPECT_EQ(record.methods[0].form->form.beta, form.form->form.beta);
    EXPECT_EQ(record.targetIndex, 4.7);

    const CalculationRecord alone = calculationRecord(form);
    EXPECT_FALSE(alone.design);
    EXPECT_EQ(alone.study, form.study);
    EXPECT_EQ(alone.targetIndex, 4.7);
    EXPECT_EQ(alone.startedAt, form.startedAt);
    EXPECT_EQ(alone.warnings, std::vector<std::string>{warnings.front().text});
}

TEST(CalculationRecord, AParameterThatDoesNotConvertLeavesFormOut) {
    RecordingObserver o;
    Study study = studyOf("2", "50");
    const RunResult good = runSeeded(o, study, 1);
    RunResult bad = good;
    bad.study.parameters[0] = "4;0.05";
    EXPECT_TRUE(calculationRecord(good).form);
    EXPECT_FALSE(calculationRecord(bad).form);
}

}  // namespace
}  // namespace ferrolith::test
