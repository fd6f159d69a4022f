// The record's pages as a PDF reader sees them: whole words, headings with what they head, and
// page numbers that count every page.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "failure_statistics/figure_text.hpp"
#include "record/calculation_record.hpp"
#include "record/record_document.hpp"
#include "support/pdf_tools.hpp"
#include "support/recording_observer.hpp"
#include "support/temp_path.hpp"

namespace ferrolith::test {
namespace {

using testing::TempPath;

// The pages' texts in order, each with its line breaks made spaces.
std::vector<std::string> pagesOf(const CalculationRecord& record) {
    TempPath pdf("pages.pdf");
    const QByteArray bytes = recordPdf(record);
    std::ofstream(pdf.path, std::ios::binary).write(bytes.constData(), bytes.size());
    const std::string text = testing::pdfText(pdf.path, false);
    std::vector<std::string> pages;
    for (std::size_t at = 0, end; (end = text.find('\f', at)) != std::string::npos; at = end + 1)
        pages.push_back(std::regex_replace(text.substr(at, end - at), std::regex("\\s+"), " "));
    return pages;
}

CalculationRecord defaultRecord(std::uint64_t seed) {
    testing::RecordingObserver o;
    return calculationRecord(testing::runSeeded(o, {}, seed));
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
        const std::string advice = adviceLine(*record.design->figures);
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
