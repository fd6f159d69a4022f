// The pages' flow: no record ends with a last page of a few lines.
#include "record/page_flow.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include "record/calculation_record.hpp"
#include "record/record_blocks.hpp"
#include "record/record_sections.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith::test {
namespace {

// An A4 page with the record's margins, painted nowhere.
struct A4Device {
    QBuffer buffer;
    QPdfWriter writer{&buffer};

    A4Device() {
        buffer.open(QIODevice::WriteOnly);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    }
};

struct Fill {
    int pages = 0;
    double last = 0.0;  // of the last page
};

Fill plain(const QPaintDevice& device, const std::function<void(PageFlow&)>& layOut) {
    PageFlow flow(device);
    layOut(flow);
    return {flow.pageCount(), flow.lastPageFill()};
}

Fill balanced(const QPaintDevice& device, const std::function<void(PageFlow&)>& layOut) {
    PageFlow flow(device);
    flow.layOut(layOut);
    return {flow.pageCount(), flow.lastPageFill()};
}

// Lines of text down the pages: one count of them leaves a last page of one line, and every
// count then ends with at least a fifth of a page on as many pages.
TEST(PageFlow, TheLastPageHoldsAtLeastAFifthOfAPage) {
    A4Device device;
    int shortEndings = 0;
    for (int lines = 40; lines <= 140; lines += 3) {
        SCOPED_TRACE(lines);
        const auto layOut = [lines](PageFlow& flow) {
            addParagraph(flow, "A heading", flow.style().heading, 40);
            addMonospacedLines(
                flow, std::vector<std::string>(static_cast<std::size_t>(lines), "E mean: 17.724"));
        };
        const Fill before = plain(device.writer, layOut);
        const Fill after = balanced(device.writer, layOut);
        EXPECT_EQ(after.pages, before.pages);
        if (before.pages > 1 && before.last < PageFlow::shortestLastPage) ++shortEndings;
        if (after.pages > 1) {
            EXPECT_GE(after.last, PageFlow::shortestLastPage);
        }
        if (before.last >= PageFlow::shortestLastPage) {
            EXPECT_EQ(after.last, before.last);
        }
    }
    EXPECT_GE(shortEndings, 2);
}

// Records whose report ran over by a few lines: their last page now holds more.
TEST(PageFlow, ARecordEndingWithAFewLinesIsBalanced) {
    A4Device device;
    int shortEndings = 0;
    for (const char* repetitions : {"1", "3", "5", "7", "9", "11", "13"}) {
        SCOPED_TRACE(repetitions);
        testing::RecordingObserver o;
        const CalculationRecord record = calculationRecord(
            Analysis::ofDesignRun(testing::runSeeded(o, testing::studyOf(repetitions, "50"), 3)));
        const auto layOut = [&record](PageFlow& flow) { layOutRecord(flow, record); };
        const Fill before = plain(device.writer, layOut);
        const Fill after = balanced(device.writer, layOut);
        if (before.last < PageFlow::shortestLastPage) ++shortEndings;
        EXPECT_GE(after.last, PageFlow::shortestLastPage);
        EXPECT_EQ(after.pages, before.pages);
    }
    EXPECT_GE(shortEndings, 1);
}

// A column narrower than its widest word takes the width from the first column's room, never
// below the first column's own widest word; the page's share stays the same. The record's design
// values head "Characteristic" was cut by a column a fraction too narrow.
TEST(PageFlow, TableColumnsHoldTheirWidestWord) {
    A4Device device;
    const PageFlow flow(device.writer);
    const auto widest = [&flow](const QFont& font, const std::string& text) {
        const QFontMetricsF metrics(font, flow.device());
        double w = 0;
        for (const QString& word : QString::fromStdString(text).split(' '))
            w = std::max(w, metrics.horizontalAdvance(word));
        return w + flow.style().pt(6);
    };
    struct Case {
        std::vector<std::string> heads;
        std::vector<std::string> row;
        TableLayout layout;
        bool fits;  // whether the first column has the room
    };
    for (const Case& c :
         {Case{{"Input", "Characteristic"}, {"Beam Width (mm)", "75.00"}, {{0.32, 0.04}}, true},
          Case{{"Input", "At", "design"},
               {"Beam", "4.000", "Characteristically"},
               {{0.5, 0.1, 0.02}},
               true},
          Case{{"Inputs", "Characteristic"},
               {"Beam Allowable Stress (N/mm2)", "1"},
               {{0.05, 0.02}},
               false}}) {
        SCOPED_TRACE(c.heads.back());
        const TableLayout fitted = fittedLayout(flow, c.heads, {c.row}, c.layout);
        double before = 0, after = 0;
        for (std::size_t k = 0; k < fitted.widths.size(); ++k) {
            before += c.layout.widths[k];
            after += fitted.widths[k];
            const double needed = std::max(widest(flow.style().bold, c.heads[k]),
                                           widest(flow.style().body, c.row[k]));
            if (c.fits) {
                EXPECT_GE(fitted.widths[k] * flow.width() + 1e-9, needed) << k;
            }
        }
        EXPECT_NEAR(after, before, 1e-12);
        if (!c.fits) {
            EXPECT_EQ(fitted.widths, c.layout.widths);
        }
    }
}

}  // namespace
}  // namespace ferrolith::test
