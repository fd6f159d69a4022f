// The record's pages as a PDF reader sees them: whole words, headings with what they head, and
// page numbers that count every page.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>

#include "analysis/design_values.hpp"
#include "analysis/period_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "record/calculation_record.hpp"
#include "record/record_document.hpp"
#include "session/method_run.hpp"
#include "support/method_answers.hpp"
#include "support/pdf_tools.hpp"
#include "support/range_studies.hpp"
#include "support/recording_observer.hpp"
#include "support/report_helpers.hpp"
#include "support/tally_builders.hpp"
#include "support/temp_path.hpp"

namespace ferrolith::test {
namespace {

using testing::TempPath;

// text with every run of white space made one space.
std::string oneSpaced(const std::string& text) {
    std::string out;
    bool inSpace = false;
    for (const char c : text) {
        const bool white = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!white)
            out += c;
        else if (!inSpace)
            out += ' ';
        inSpace = white;
    }
    return out;
}

// The pages' texts in order, each with its line breaks made spaces.
std::vector<std::string> pagesOf(const CalculationRecord& record) {
    TempPath pdf("pages.pdf");
    const QByteArray bytes = recordPdf(record);
    std::ofstream(pdf.path, std::ios::binary).write(bytes.constData(), bytes.size());
    const std::string text = testing::pdfText(pdf.path, false);
    std::vector<std::string> pages;
    for (std::size_t at = 0, end; (end = text.find('\f', at)) != std::string::npos; at = end + 1)
        pages.push_back(oneSpaced(text.substr(at, end - at)));
    return pages;
}

CalculationRecord defaultRecord(std::uint64_t seed) {
    testing::RecordingObserver o;
    return calculationRecord(Analysis::ofDesignRun(testing::runSeeded(o, {}, seed)));
}

// text without blanks and hyphens: a line may wrap at either, and the reader drops a hyphen at
// a line's end.
std::string squeezed(const std::string& text) {
    std::string out;
    for (const char c : text)
        if (c != '-' && !std::isspace(static_cast<unsigned char>(c))) out += c;
    return out;
}

std::size_t pageWith(const std::vector<std::string>& pages, const std::string& part) {
    for (std::size_t p = 0; p < pages.size(); ++p)
        if (pages[p].find(part) != std::string::npos) return p;
    return pages.size();
}

TEST(RecordPages, WrappedTextKeepsEveryWordWhole) {
    for (const std::uint64_t seed : {12345u, 1u, 99u}) {
        const CalculationRecord record = defaultRecord(seed);
        const std::vector<std::string> pages = pagesOf(record);
        const std::string advice = adviceLine(*record.analysis.design()->figures);
        EXPECT_LT(pageWith(pages, advice), pages.size()) << seed << ": " << advice;
    }
}

TEST(RecordPages, AHeadingStaysOnThePageOfWhatItHeads) {
    for (const std::uint64_t seed : {12345u, 1u, 99u}) {
        const std::vector<std::string> pages = pagesOf(defaultRecord(seed));
        for (const auto& [heading, first] : std::vector<std::pair<std::string, std::string>>{
                 {"Charts Convergence", "Pf after each repetition"},
                 {"Report Input Data:", "Beam Length: (4,0.05) Dist.: Normal"},
                 {"Inputs at failure", "mean over the failed samples"}}) {
            const std::size_t page = pageWith(pages, heading);
            ASSERT_LT(page, pages.size()) << seed << ": " << heading;
            EXPECT_EQ(pageWith(pages, first), page) << seed << ": " << heading;
        }
    }
}

TEST(RecordPages, EachMethodIsABlockAndEachBetaMeetsTheTargetOrNot) {
    testing::RecordingObserver o;
    Study study = testing::studyOf("4", "500");
    study.target.typed = TypedTarget{0.1, "command line"};
    const RunResult run = testing::runSeeded(o, study, 3);
    Analysis analysis = Analysis::ofDesignRun(run);
    for (const auto method : {reliability::Method::Sorm, reliability::Method::ImportanceSampling,
                              reliability::Method::IndependentMonteCarlo})
        analysis.addMethod(runMethod({run.study, {}}, {method, 2000}, o));
    const auto& sampling = *samplingOf(analysis.methods()[2]);
    std::string text;
    for (const std::string& page : pagesOf(calculationRecord(analysis))) text += page;
    for (const char* title : {"SORM Principal curvatures", "Importance sampling Seed",
                              "Monte Carlo with independent streams Seed"})
        EXPECT_NE(text.find(title), std::string::npos) << title;
    EXPECT_NE(text.find(formatFigure(sampling.failureProbability)), std::string::npos);
    // The design run, FORM, SORM, importance sampling and independent streams: one verdict each;
    // the summary's answer, FORM's, and its three checks again.
    EXPECT_EQ(testing::countOf(squeezed(text), squeezed("meets 50-year loads: beta 0.10 (command "
                                                        "line)")),
              9)
        << text;
    // FORM's section: the other period's beta and the design values with their bases.
    const auto& form = *analysis.form();
    const auto values = designValues(analysis.study(), form);
    ASSERT_TRUE(values);
    for (const std::string& part :
         {otherPeriodLabel(form.otherPeriod), otherPeriodText(form.otherPeriod),
          "Characteristic and design values: " + designValuesCaption(*values, study.target),
          values->inputs[6].basis, formatFigure(*values->inputs[6].factorAtTarget)})
        EXPECT_NE(text.find(part), std::string::npos) << part;
}

TEST(RecordPages, TheWarningsHoldEachInputOutOfRangeForADesignRunAndAMethod) {
    testing::RecordingObserver o;
    const Analysis design = Analysis::ofDesignRun(testing::runSeeded(o, gammaLengthStudy(), 1));
    const Analysis form =
        Analysis::ofMethod(runMethod({logNormalStressStudy(), {}}, {reliability::Method::Form}, o));
    for (const Analysis* analysis : {&design, &form}) {
        ASSERT_EQ(analysis->rangeWarnings().size(), 1u);
        std::string text;
        for (const std::string& page : pagesOf(calculationRecord(*analysis))) text += page;
        EXPECT_NE(text.find("Warnings " + analysis->rangeWarnings().front().text),
                  std::string::npos)
            << text;
    }
}

// Two mirror design points: the warning, the system estimate, each point's table under its
// title, and SORM's note that its curvatures are of the nearest point.
TEST(RecordPages, EveryDesignPointAndTheWarningOfSorm) {
    testing::RecordingObserver o;
    Study study = studyWithInput(InputVariable::AllowableStress, "", "80,3");
    study.parameters[static_cast<std::size_t>(InputVariable::PointLoadLocation)] = "2,2";
    study.parameters[static_cast<std::size_t>(InputVariable::PointLoadValue)] = "0,4";
    const Analysis sorm =
        Analysis::ofMethod(runMethod({study, {}}, {reliability::Method::Sorm}, o));
    const auto warning = sorm.severalPointsWarning();
    ASSERT_TRUE(warning);
    std::string text;
    for (const std::string& page : pagesOf(calculationRecord(sorm))) text += page;
    for (const std::string& part : std::vector<std::string>{
             "Warnings " + *warning, "Design points found:", "System beta:",
             " 2 3.460e-4 (error estimate ", formatFigure(sorm.form()->form.systemBeta),
             "Design point 1 of 2, beta 3.578 Input", "Design point 2 of 2, beta 3.579 Input",
             "Note:", "SORM's curvatures are of the nearest design point only"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
}

// A small Pf is charted on a logarithmic axis over whole decades, a Pf of 0 on its floor.
TEST(RecordPages, ASmallPfIsChartedOnALogarithmicAxis) {
    CalculationRecord record = defaultRecord(7);
    const auto chartText = [&record] {
        std::string text;
        for (const std::string& page : pagesOf(record)) text += page;
        return text;
    };
    EXPECT_EQ(chartText().find("Pf (log scale)"), std::string::npos);
    const std::vector<RepetitionTally> small{tally(1, 0, 100000), tally(2, 1, 100000)};
    record.design->convergence = convergence(small);
    const std::string text = chartText();
    EXPECT_NE(text.find("Pf (log scale)"), std::string::npos);
    EXPECT_NE(text.find("1e-08"), std::string::npos);
}

// The first pages: the question and its answer, what gives it and what checks it, who signs,
// the limit state, the basis, each law as typed and read, and the partial factors.
TEST(RecordPages, TheSummaryLimitStateBasisAndLawsAreWrittenOut) {
    testing::RecordingObserver o;
    Study study = studyWithInput(InputVariable::AllowableStress, "", "90,3");
    study.repetitions = "2";
    study.samples = "300";
    setRole(study, InputVariable::UdlValue, LoadRole::Permanent);
    study.project = {"Footbridge 7", "A. Engineer", "C. Checker"};
    const Analysis analysis = Analysis::ofDesignRun(testing::runSeeded(o, study, 5));
    const auto& form = analysis.form()->form;
    const auto values = designValues(analysis.study(), *analysis.form());
    ASSERT_TRUE(values);
    const auto& stress = values->inputs[static_cast<std::size_t>(InputVariable::AllowableStress)];
    const std::vector<std::string> pages = pagesOf(calculationRecord(analysis));
    const std::string first = squeezed(pages.front());
    std::string all;
    for (const std::string& page : pages) all += squeezed(page);
    const struct {
        std::string part;
        bool onFirstPage;
    } parts[] = {
        {"Summary Question:", true},
        {"Answer: Given by: Checked by:", true},
        {"Does this beam reach the target reliability index for its reliability class and "
         "reference period, RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)?",
         true},
        {"meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2): beta " + formatFigure(form.beta) +
             ", Pf " + formatFigure(form.failureProbability),
         true},
        // Nothing failed in the design run: it checks the answer with a bound.
        {"Monte Carlo (the design run): beta above", true},
        {"not shown to meet RC2, 50-year loads", true},
        {"Footbridge 7", true},
        {"A. Engineer", true},
        {"C. Checker", true},
        {"Signature: ______________________ Date: __________", true},
        {"E = P a (L - a) / L + w L^2 / 8, in kN m", true},
        {"R = f b d^2 / 4, in kN m", true},
        {"Failure when R <= E", true},
        {"50 years: the variable loads' laws are of their maxima over that period", false},
        {"variable: its law is that of its maximum over the reference period", false},
        {"permanent (self-weight): its law holds whatever the period", false},
        {"The seven inputs are independent", false},
        {"typed \"90,3\": mean 90, sd 3", false},
        {"typed \"4,2.5\": mean 4, sd 2.5", false},
        {formatFigure(90 - 1.6448536269514726 * 3) + " (5% fractile)", false},
        {"Partial factor At target Partial factor", false},
        {formatFigure(*stress.factorAtDesignPoint), false},
        {formatFigure(*stress.factorAtTarget), false},
    };
    for (const auto& [part, onFirstPage] : parts) {
        EXPECT_NE(all.find(squeezed(part)), std::string::npos) << part << "\n" << pages.front();
        if (onFirstPage) {
            EXPECT_NE(first.find(squeezed(part)), std::string::npos) << part;
        }
    }
    // "90,3" is never read as one number.
    EXPECT_EQ(all.find("90.3"), std::string::npos);
}

TEST(RecordPages, WithoutASamplingMethodTheSummarySaysNothingChecksTheAnswer) {
    testing::RecordingObserver o;
    const Analysis form = Analysis::ofMethod(
        runMethod({testing::studyOf("2", "100"), {}}, {reliability::Method::Sorm}, o));
    const std::string text = squeezed(pagesOf(calculationRecord(form)).front());
    EXPECT_NE(
        text.find(squeezed("nothing: no sampling method with a figure was run on this study")),
        std::string::npos)
        << text;
    // Project, engineer and checker.
    EXPECT_EQ(testing::countOf(text, "notgiven"), 3) << text;
}

TEST(RecordPages, EveryPageSaysItsNumberOfAll) {
    const std::vector<std::string> pages = pagesOf(defaultRecord(7));
    ASSERT_GE(pages.size(), 2u);
    for (std::size_t p = 0; p < pages.size(); ++p)
        EXPECT_NE(
            pages[p].find("Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size())),
            std::string::npos)
            << p;
}

}  // namespace
}  // namespace ferrolith::test
