// Every file dialog and message box of the windows is asked through the window's two dialog hooks.
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "support/run_cli.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

// Something the user does, and what the hooks are asked because of it.
struct HookCase {
    const char* name;
    std::function<void()> act;
    std::vector<std::string> fileDialogs;   // title, filters and mode, as described()
    std::vector<std::string> messageBoxes;  // the prompts
};

const std::string reportSaveAs = "Save As | Text files (*.txt) All files (*) | save";
const std::string saveQuestion = "Simulation Complete\r\nSave File?";
const std::string missing = "/nonexistent-ferrolith/";

std::string saveError(const std::string& path) {
    return "Error while saving file " + path + "\r\nNo such file or directory";
}

// A file dialog as the hook saw it.
std::string described(const SaveDialogSettings& settings) {
    std::string text = settings.title + " |";
    for (const FileFilter& filter : settings.filters)
        text += " " + filter.name + " (" + filter.pattern + ")";
    return text + (settings.open ? " | open" : " | save");
}

// A real modal dialog that opens in spite of the hooks is closed at once and its title recorded,
// so that the test fails instead of waiting for a user.
class WindowDialogsTest : public WindowTest {
  protected:
    WindowDialogsTest() {
        guard_.setInterval(0);
        QObject::connect(&guard_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                realDialogs.push_back(modal->windowTitle().toStdString());
                modal->close();
            }
        });
        guard_.start();
        c.txtRepititions->setText("1");
        c.txtSampleSize->setText("10");
    }

    // Every dialog and message box of the windows, in an order where the first export comes
    // before any run; each failed write ends in a message box over its window.
    std::vector<HookCase> hookCases() {
        return {
            {"export before a run",
             [this] { pressExport(); },
             {},
             {"There are no results to export: the last run neither completed nor was aborted."}},
            {"faulty data in a run",
             [this] {
                 c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText("Poisson"));
                 pressCalculate();
                 c.cmbDist[5]->setCurrentIndex(-1);
             },
             {},
             {"Poisson Parameter < 10"}},
            {"report saved",
             [this] { saveReportTo(reportFile.path); },
             {reportSaveAs},
             {saveQuestion}},
            {"report save failed",
             [this] { saveReportTo(missing + "VKM1.txt"); },
             {reportSaveAs},
             {saveQuestion, saveError(missing + "VKM1.txt")}},
            {"open study",
             [this] {
                 openPath = missing + "s.json";
                 window.studyCommands().openAction()->trigger();
             },
             {"Open Study | Study files (*.json) All files (*) | open"},
             {"The study file " + missing + "s.json cannot be opened: No such file or directory"}},
            {"save study",
             [this] {
                 savePath = missing + "s.json";
                 window.studyCommands().saveAction()->trigger();
             },
             {"Save Study As | Study files (*.json) All files (*) | save"},
             {saveError(missing + "s.json")}},
            {"export results",
             [this] {
                 savePath = missing + "r.csv";
                 saveFilter = 1;
                 pressExport();
             },
             {"Export Results | JSON results (*.json) CSV, one row a repetition (*.csv) | save"},
             {saveError(missing + "r.csv")}},
            {"chart picture",
             [this] {
                 savePath = missing + "chart";  // the chosen filter gives the extension
                 saveFilter = 1;
                 saveChartPicture();
             },
             {"Save Chart Picture | PNG picture (*.png) SVG drawing (*.svg) | save"},
             {saveError(missing + "chart.svg")}},
        };
    }

    // Acts with fresh answers and checks what the hooks were asked.
    void check(const HookCase& k) {
        SCOPED_TRACE(k.name);
        messages.clear();
        dialogs.clear();
        saveAnswer = MessageResult::No;
        savePath.clear();
        saveFilter = 0;
        k.act();
        std::vector<std::string> files, boxes;
        for (const SaveDialogSettings& settings : dialogs) {
            files.push_back(described(settings));
            EXPECT_EQ(settings.initialFolder, window.dialogs().saveFolder());
        }
        for (const ShownMessage& message : messages) boxes.push_back(message.prompt);
        EXPECT_EQ(files, k.fileDialogs);
        EXPECT_EQ(boxes, k.messageBoxes);
    }

    std::vector<std::string> realDialogs;

  private:
    void saveReportTo(const std::string& path) {
        saveAnswer = MessageResult::Yes;
        savePath = path;
        pressCalculate();
    }

    void pressExport() {
        window.results().window().findChild<QPushButton*>(QStringLiteral("exportResults"))->click();
    }

    void saveChartPicture() {
        window.results()
            .window()
            .chartView(ResultsChart::Convergence)
            ->actions()
            .front()
            ->trigger();
    }

    testing::TempPath reportFile{"window-dialogs-report.txt"};
    QTimer guard_;
};

TEST_F(WindowDialogsTest, EveryDialogAndMessageBoxGoesThroughTheHooks) {
    for (const HookCase& k : hookCases()) check(k);
    EXPECT_TRUE(realDialogs.empty()) << realDialogs.front();
}

}  // namespace
}  // namespace ferrolith::test
