#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>

#include "ui/save_dialog.hpp"
#include "ui/widget_text.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using QtWindowOperationsTest = WindowTest;

TEST(WidgetText, LineEndsTurnBetweenCrLfAndLf) {
    EXPECT_EQ(toWidgetText("a\r\n\r\nb\r\n"), "a\n\nb\n");
    EXPECT_EQ(toWidgetText(""), "");
    EXPECT_EQ(fromWidgetText("a\n\nb"), "a\r\n\r\nb");
    EXPECT_EQ(fromWidgetText(QString::fromUtf8("\xC2\xB2\n")), "\xC2\xB2\r\n");
}

TEST_F(QtWindowOperationsTest, ReportTextRoundTripsThroughTheWidget) {
    for (const std::string text : {"", "one", "Input Data: \r\n\r\nlast", "x\r\n"}) {
        window.operations().setReportText(text);
        EXPECT_EQ(report(), text);
        EXPECT_FALSE(c.txtReport->toPlainText().contains(QLatin1Char('\r')));
    }
}

TEST_F(QtWindowOperationsTest, AppendGoesAfterWhatTheUserTyped) {
    window.operations().setReportText("abc");
    window.operations().appendReport("def\r\n");
    c.txtReport->moveCursor(QTextCursor::Start);
    QTest::keyClicks(c.txtReport, "Z");
    window.operations().appendReport("ghi");
    EXPECT_EQ(report(), "Zabcdef\r\nghi");
}

TEST_F(QtWindowOperationsTest, AppendStaysLinearForLongReportsAndFollowsTheEnd) {
    const std::string line = "E mean: 18.123 E St. Dev.: 4.568\r\n";
    auto appendLines = [&](int count) {
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < count; ++k) window.operations().appendReport(line);
        return clock.nsecsElapsed();
    };
    window.operations().setReportText("");
    const double first = static_cast<double>(appendLines(20000));
    const double next = static_cast<double>(appendLines(180000));
    // Linear appends take about nine times as long for nine times the lines; rewriting the
    // whole text each time would take about a hundred times as long.
    EXPECT_LT(next / first, 30.0);
    EXPECT_EQ(countOf(report(), "\r\n"), 200000);
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(QtWindowOperationsTest, ProgressReadsBackTheSinglePrecisionValuesSet) {
    WindowOperations& ops = window.operations();
    ops.setProgressMin(0.0f);
    ops.setProgressMax(25.0f);
    ops.setProgressValue(2.5f);
    EXPECT_EQ(ops.progressMax(), 25.0f);
    EXPECT_EQ(ops.progressValue(), 2.5f);
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 2));

    ops.setProgressMax(1.0e30f);
    ops.setProgressValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(ops.progressMax(), 1.0e30f);
    EXPECT_TRUE(std::isnan(ops.progressValue()));
    EXPECT_EQ(c.pb->value(), 0);
}

TEST_F(QtWindowOperationsTest, TextsAreReadFromTheControls) {
    c.txtParam[2]->setText(QString::fromUtf8("225, 10 \xC2\xB5"));
    c.cmbDist[6]->setCurrentIndex(3);
    EXPECT_EQ(window.operations().paramText(InputVariable::BeamDepth), "225, 10 \xC2\xB5");
    EXPECT_EQ(window.operations().distText(InputVariable::UdlValue), "Gumbel");
    EXPECT_EQ(window.operations().repetitionsText(), "25");
    EXPECT_EQ(window.operations().sampleSizeText(), "1000");
}

TEST(SaveFolder, ProgramFolderWhenWritableElseDocuments) {
    QTemporaryDir writable;
    ASSERT_TRUE(writable.isValid());
    EXPECT_EQ(saveFolderFor(writable.path()), QFileInfo(writable.path()).absoluteFilePath());
    const QString fallback = saveFolderFor(writable.filePath("missing/folder"));
    EXPECT_FALSE(fallback.startsWith(writable.path()));
    EXPECT_TRUE(QFileInfo(fallback).isDir());
}

}  // namespace
}  // namespace ferrolith::test
