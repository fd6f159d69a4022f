// The pages' flow: no record ends with a last page of a few lines.
#include "record/page_flow.hpp"

#include <gtest/gtest.h>

#include <QBuffer>
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

}  // namespace
}  // namespace ferrolith::test
