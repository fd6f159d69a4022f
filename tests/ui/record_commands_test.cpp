// The calculation record from the results window: Save Calculation Record... through the file
// dialog hook, Print... (Ctrl+P) through the print dialog hook, both read back with poppler.
#include <QApplication>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "failure_statistics/figure_text.hpp"
#include "files/study_file.hpp"
#include "support/file_test_support.hpp"
#include "support/pdf_tools.hpp"
#include "support/run_cli.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using testing::pdfImageCount;
using testing::pdfPages;
using testing::pdfText;
using testing::TempPath;

class RecordCommandsTest : public WindowTest {
  protected:
    RecordCommandsTest() {
        window.dialogs().setPrintDialogHook([this](QPrinter& printer) {
            ++printDialogs;
            printJob = printer.docName();
            if (printPath.empty()) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(printPath));
            return true;
        });
    }

    QPushButton* button(const char* name) {
        return window.results().window().findChild<QPushButton*>(QString::fromUtf8(name));
    }

    void runSmall() {
        c.txtRepititions->setText("4");
        c.txtSampleSize->setText("300");
        pressCalculate();
    }

    // The last report line and the Pf, as the results window shows them.
    void expectTheLastRun(const std::string& text) {
        const RunResult& run = *window.lastRun();
        EXPECT_NE(text.find(std::to_string(*run.study.seed)), std::string::npos);
        const auto figures =
            failureFigures(run.tallies, run.plannedRepetitions, RunStatus::Completed);
        EXPECT_NE(text.find(formatFigure(figures->failureProbability)), std::string::npos);
        EXPECT_NE(text.find(run.report.substr(run.report.rfind("\r\n") + 2)), std::string::npos);
    }

    std::string printPath;
    int printDialogs = 0;
    QString printJob;
    TempPath file{"window-record.pdf"};
};

TEST_F(RecordCommandsTest, SavesTheLastRunsRecordThroughTheFileDialog) {
    runSmall();
    savePath = file.path;
    ASSERT_NE(button("saveRecord"), nullptr);
    EXPECT_EQ(button("saveRecord")->text(), "Save Calculation Record...");
    button("saveRecord")->click();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Save Calculation Record");
    ASSERT_EQ(dialogs[0].filters.size(), 1u);
    EXPECT_EQ(dialogs[0].filters[0].name + " (" + dialogs[0].filters[0].pattern + ")",
              "PDF files (*.pdf)");
    EXPECT_EQ(dialogs[0].defaultExtension, "pdf");
    expectTheLastRun(pdfText(file.path));
    EXPECT_EQ(pdfImageCount(file.path), 0);
    // The record's own folder is remembered; the other kinds keep theirs.
    EXPECT_EQ(window.dialogs().startFolder(FileKind::Record),
              std::filesystem::path(file.path).parent_path().string());
    EXPECT_EQ(messages.size(), 1u);  // the run's save question alone
}

TEST_F(RecordCommandsTest, PrintsTheSamePagesWithCtrlP) {
    runSmall();
    savePath = file.path;
    button("saveRecord")->click();
    TempPath printed("window-printed.pdf");
    printPath = printed.path;
    ResultsWindow& results = window.results().window();
    results.activateWindow();
    for (int wait = 0; wait < 100 && QApplication::activeWindow() != &results; ++wait)
        QTest::qWait(10);
    ASSERT_EQ(QApplication::activeWindow(), &results);
    QTest::keyClick(button("copyFigures"), Qt::Key_P, Qt::ControlModifier);
    // A button's shortcut presses it as a click would be seen: the click follows a moment later.
    for (int wait = 0; wait < 100 && printDialogs == 0; ++wait) QTest::qWait(10);
    EXPECT_EQ(printDialogs, 1);
    expectTheLastRun(pdfText(printed.path));
    EXPECT_EQ(pdfPages(printed.path), pdfPages(file.path));

    // Cancel prints nothing.
    std::filesystem::remove(printed.path);
    printPath.clear();
    button("printRecord")->click();
    EXPECT_EQ(printDialogs, 2);
    EXPECT_FALSE(std::filesystem::exists(printed.path));
}

// The print job is named after the study file last opened or saved; a file that does not open
// keeps the name.
TEST_F(RecordCommandsTest, ThePrintJobTakesTheStudysName) {
    runSmall();
    const auto printJobName = [this] {
        button("printRecord")->click();
        return printJob.toStdString();
    };
    EXPECT_EQ(printJobName(), "Calculation record");
    const std::string prefix = "ferrolith-" + std::to_string(::getpid()) + "-";
    TempPath saved("beam.v2.ferrolith");
    savePath = saved.path;
    window.studyCommands().saveAction()->trigger();
    EXPECT_EQ(printJobName(), prefix + "beam.v2");
    TempPath opened("opened");
    testing::writeText(opened.path, studyFileText(Study()));
    openPath = opened.path;
    window.studyCommands().openAction()->trigger();
    runSmall();  // an opened study has no run to print until it is run
    EXPECT_EQ(printJobName(), prefix + "opened");
    testing::writeText(opened.path, "not a study");
    window.studyCommands().openAction()->trigger();
    EXPECT_EQ(printJobName(), prefix + "opened");
    EXPECT_EQ(printDialogs, 4);
}

TEST_F(RecordCommandsTest, NoRunNoRecordAndAFailedSaveIsOneMessage) {
    button("saveRecord")->click();
    button("printRecord")->click();
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(printDialogs, 0);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].prompt,
              "There is no run to record: the last run neither completed nor was aborted.");

    runSmall();
    const testing::TempFolder scratch;
    savePath = (scratch.missingFolder() / "record.pdf").string();
    button("saveRecord")->click();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(messages[3].prompt,
              "Error while saving file " + savePath + "\r\nNo such file or directory");
    EXPECT_FALSE(std::filesystem::exists(savePath));
}

TEST_F(RecordCommandsTest, EveryButtonFitsAtTheWindowsMinimumWidth) {
    ResultsWindow& results = window.results().window();
    runSmall();
    EXPECT_LE(results.minimumSizeHint().width(), ResultsWindow::minimumWidth);
    results.resize(ResultsWindow::minimumWidth, results.height());
    QApplication::processEvents();
    for (const char* name : {"copyFigures", "exportResults", "saveRecord", "printRecord"}) {
        const QPushButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_TRUE(b->isVisible()) << name;
        EXPECT_LE(b->mapTo(&results, QPoint(b->width(), 0)).x(), results.width()) << name;
        EXPECT_GE(b->width(), b->sizeHint().width()) << name;
    }
}

}  // namespace
}  // namespace ferrolith::test
