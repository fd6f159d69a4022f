#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
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

TEST_F(QtWindowOperationsTest, LongReportsArriveWholeAndTheBoxFollowsTheEnd) {
    const std::string line = "E mean: 18.123 E St. Dev.: 4.568\r\n";
    window.operations().setReportText("");
    for (int k = 0; k < 20000; ++k) window.operations().appendReport(line);
    EXPECT_EQ(countLineEnds(report()), 20000);
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

// What the controls show, without showing anything held back first.
struct Shown {
    std::string report;
    QString label;
    int bar;

    bool operator==(const Shown&) const = default;
};

class HeldBackOutput : public WindowTest {
  protected:
    HeldBackOutput() {
        ops.setReportText("abc\r\n");
        ops.setRefreshInterval(std::chrono::hours(1));
        ops.showPending();  // nothing falls due within the hour from here
        before = shown();
        ops.appendReport("def\r\n");
        ops.setProgressValue(7.0f);
        ops.setProgressLabel("7/100");
    }

    Shown shown() const { return {shownReport(c), c.lblBar->text(), c.pb->value()}; }

    QtWindowOperations& ops = window.operations();
    const Shown after{"abc\r\ndef\r\n", "7/100", 7};
    Shown before;
};

TEST_F(HeldBackOutput, WaitsForTheRefreshIntervalButReadsBackAtOnce) {
    ops.processEvents();
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(ops.progressValue(), 7.0f);

    ops.setRefreshInterval(std::chrono::milliseconds(0));
    ops.processEvents();
    EXPECT_EQ(shown(), after);
}

TEST_F(HeldBackOutput, IsShownBeforeTheReportIsRead) {
    EXPECT_EQ(report(), "abc\r\ndef\r\n");
    EXPECT_EQ(shown().report, after.report);
}

TEST_F(HeldBackOutput, IsShownBeforeADialogOpens) {
    std::optional<Shown> behindTheBox;
    ops.setMessageBoxHook([&](auto...) {
        behindTheBox = shown();
        return MessageResult::Ok;
    });
    ops.messageBox("Error in Data", std::nullopt, MessageIcon::None, MessageButtons::Ok);
    EXPECT_EQ(behindTheBox, after);

    ops.appendReport("ghi");
    std::optional<Shown> behindTheDialog;
    ops.setSaveDialogHook([&](const SaveDialogSettings&) {
        behindTheDialog = shown();
        return SaveDialogResult{.cancelled = true, .fileName = {}};
    });
    ops.showSaveDialog({});
    ASSERT_TRUE(behindTheDialog);
    EXPECT_EQ(behindTheDialog->report, "abc\r\ndef\r\nghi");
}

TEST_F(HeldBackOutput, IsDroppedWhenTheWholeReportIsReplaced) {
    ops.setReportText("new");
    ops.showPending();
    EXPECT_EQ(shown().report, "new");
}

TEST_F(QtWindowOperationsTest, ProgressReadsBackTheSinglePrecisionValuesSet) {
    WindowOperations& ops = window.operations();
    ops.setProgressMin(0.0f);
    ops.setProgressMax(25.0f);
    ops.setProgressValue(2.5f);
    EXPECT_EQ(ops.progressMax(), 25.0f);
    EXPECT_EQ(ops.progressValue(), 2.5f);
    window.operations().showPending();
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 2));

    ops.setProgressMax(1.0e30f);
    ops.setProgressValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(ops.progressMax(), 1.0e30f);
    EXPECT_TRUE(std::isnan(ops.progressValue()));
    window.operations().showPending();
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
