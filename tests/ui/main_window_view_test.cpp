#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "support/file_test_support.hpp"
#include "ui/widgets/save_dialog.hpp"
#include "ui/widgets/widget_text.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

// The main window's view, told directly what a run tells.
class MainWindowViewTest : public WindowTest {
  protected:
    // Tells the view of a run that writes pieces to the report and ends.
    void runWriting(std::initializer_list<std::string_view> pieces) {
        view.runStarted(runAt(0, 1));
        for (std::string_view piece : pieces) view.reportAppended(piece);
        view.runEnded(runAt(0, 1));
    }

    MainWindowView& view = window.view();
};

TEST(WidgetText, LineEndsTurnBetweenCrLfAndLf) {
    EXPECT_EQ(toWidgetText("a\r\n\r\nb\r\n"), "a\n\nb\n");
    EXPECT_EQ(toWidgetText(""), "");
    EXPECT_EQ(fromWidgetText("a\n\nb"), "a\r\n\r\nb");
    EXPECT_EQ(fromWidgetText(QString::fromUtf8("\xC2\xB2\n")), "\xC2\xB2\r\n");
}

TEST_F(MainWindowViewTest, ReportPiecesRoundTripThroughTheWidget) {
    for (const std::string text : {"", "one", "Input Data: \r\n\r\nlast", "x\r\n"}) {
        runWriting({text});
        EXPECT_EQ(shownReport(c), text);
        EXPECT_FALSE(c.txtReport->toPlainText().contains(QLatin1Char('\r')));
    }
}

TEST_F(MainWindowViewTest, AppendGoesAfterWhatTheUserTyped) {
    runWriting({"abc", "def\r\n"});
    c.txtReport->moveCursor(QTextCursor::Start);
    QTest::keyClicks(c.txtReport, "Z");
    view.reportAppended("ghi");
    view.runEnded(runAt(0, 1));
    EXPECT_EQ(shownReport(c), "Zabcdef\r\nghi");
}

TEST_F(MainWindowViewTest, CtrlZUndoesOnlyTheUsersTypingNeverTheRunsReport) {
    runWriting({"Input Data: \r\n", "Iteration: 1\r\n", "end"});
    const std::string run = shownReport(c);
    c.txtReport->setFocus();
    QTest::keyClick(c.txtReport, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownReport(c), run);
    c.txtReport->moveCursor(QTextCursor::End);
    QTest::keyClicks(c.txtReport, " note");
    EXPECT_EQ(shownReport(c), run + " note");
    for (int k = 0; k < 3; ++k) QTest::keyClick(c.txtReport, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shownReport(c), run);
}

TEST_F(MainWindowViewTest, LongReportsArriveWholeAndTheBoxFollowsTheEnd) {
    const std::string line = "E mean: 18.123 E St. Dev.: 4.568\r\n";
    view.runStarted(runAt(0, 1));
    for (int k = 0; k < 20000; ++k) view.reportAppended(line);
    view.runEnded(runAt(0, 1));
    EXPECT_EQ(countLineEnds(shownReport(c)), 20000);
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(MainWindowViewTest, ProgressRunsFromZeroToThePlannedRepetitions) {
    view.runStarted(runAt(0, 25));
    EXPECT_EQ(c.lblBar->text(), "0/25");
    view.repetitionFinished(runAt(2, 25));
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 2));
    EXPECT_EQ(c.lblBar->text(), "2/25");
    view.repetitionFinished(runAt(25, 25));
    view.runEnded(runAt(25, 25));
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 25));
    EXPECT_EQ(c.lblBar->text(), "25/25");
}

TEST_F(MainWindowViewTest, SaveReportWritesTheBoxAsTheUserLeftIt) {
    testing::TempFolder folder;
    const std::string path = (folder.path / "VKM1.txt").string();
    runWriting({"abc\r\n", "def"});
    c.txtReport->moveCursor(QTextCursor::End);
    QTest::keyClicks(c.txtReport, "!");
    savePath = path;
    EXPECT_EQ(view.saveReport(runAt(0, 1)), SaveOutcome::Saved);
    EXPECT_EQ(testing::slurp(path), "abc\r\ndef!");
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Save As");
}

TEST_F(MainWindowViewTest, StudyIsReadFromTheControlsAndShownBack) {
    c.txtParam[2]->setText(QString::fromUtf8("225, 10 \xC2\xB5"));
    c.cmbDist[6]->setCurrentIndex(3);
    Study study = view.study(42);
    EXPECT_EQ(study.parameters[2], "225, 10 \xC2\xB5");
    EXPECT_EQ(study.distributions[6], "Gumbel");
    EXPECT_EQ(study.distributions[0], "");
    EXPECT_EQ(study.repetitions, "25");
    EXPECT_EQ(study.samples, "1000");
    EXPECT_EQ(study.seed, 42u);
    EXPECT_EQ(view.study(std::nullopt).seed, std::nullopt);

    study.repetitions = "7";
    study.samples = "";
    study.parameters[0] = "x";
    study.distributions[0] = "Poisson";
    study.distributions[6] = "";
    view.showStudy(study);
    EXPECT_EQ(c.txtRepititions->text(), "7");
    EXPECT_EQ(c.cmbDist[6]->currentIndex(), -1);
    EXPECT_EQ(c.cmbDist[0]->currentText(), "Poisson");
    EXPECT_EQ(view.study(42), study);
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
