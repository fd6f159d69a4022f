// Every file dialog and message box of the windows is asked through the window's two dialog hooks.
#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

#include "support/file_test_support.hpp"
#include "support/run_cli.hpp"
#include "ui/widgets/save_dialog.hpp"
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
    const testing::TempFolder scratch;
    // A folder that is not there, for saves and opens that must fail.
    const std::string missing = scratch.missingFolder().string() + "/";

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
             {"Open Study | Study files (*.ferrolith *.json) All files (*) | open"},
             {"The study file " + missing + "s.json cannot be opened: No such file or directory"}},
            {"save study",
             [this] {
                 savePath = missing + "s.json";
                 window.studyCommands().saveAction()->trigger();
             },
             {"Save Study As | Study files (*.ferrolith) All files (*) | save"},
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
            // Only the report's Save As starts in the program's folder; every path chosen here
            // is in a folder that does not exist, so the others start in the working directory.
            EXPECT_EQ(settings.initialFolder,
                      settings.title == "Save As"
                          ? window.dialogs().saveFolder()
                          : saveFolderFor(QDir::currentPath()).toStdString());
        }
        for (const ShownMessage& message : messages) boxes.push_back(message.prompt);
        EXPECT_EQ(files, k.fileDialogs);
        EXPECT_EQ(boxes, k.messageBoxes);
    }

    std::vector<std::string> realDialogs;

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

// One thing the user does in a session of file dialogs: the file chosen (empty: Cancel) and the
// folder its dialog must have started in.
struct FolderStep {
    const char* name;
    std::function<void()> act;
    std::string chosen;
    std::string startsIn;
};

TEST_F(WindowDialogsTest, FileDialogsStartWhereTheirKindOfFileWasLastChosen) {
    QTemporaryDir work, studies, pictures, results;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    const auto folder = [](const QTemporaryDir& d) {
        return QFileInfo(d.path()).absoluteFilePath().toStdString();
    };
    const std::string cwd = folder(work);
    const auto openStudy = [this] { window.studyCommands().openAction()->trigger(); };
    const auto saveStudy = [this] { window.studyCommands().saveAction()->trigger(); };
    const auto chart = [this] { saveChartPicture(); };
    const auto exportResults = [this] { pressExport(); };
    const auto saveReport = [this] { saveReportTo({}); };
    pressCalculate();  // a run to export

    const std::vector<FolderStep> steps{
        // Exported before a study is opened: an opened study has no results to export.
        {"export first", exportResults, folder(results) + "/r.json", cwd},
        {"export again", exportResults, {}, folder(results)},
        {"open study first", openStudy, {}, cwd},
        {"save study first", saveStudy, folder(studies) + "/a.ferrolith", cwd},
        {"open study after a save", openStudy, folder(studies) + "/a.ferrolith", folder(studies)},
        {"chart picture first", chart, {}, cwd},
        {"chart picture, chosen", chart, folder(pictures) + "/c.png", cwd},
        {"chart picture again", chart, {}, folder(pictures)},
        {"save study again", saveStudy, {}, folder(studies)},
        {"report save as", saveReport, {}, window.dialogs().saveFolder()},
    };
    for (const FolderStep& step : steps) {
        SCOPED_TRACE(step.name);
        dialogs.clear();
        openPath = savePath = step.chosen;
        step.act();
        ASSERT_FALSE(dialogs.empty());
        EXPECT_EQ(dialogs.back().initialFolder, step.startsIn);
    }
    EXPECT_TRUE(QFileInfo::exists(QString::fromStdString(folder(studies) + "/a.ferrolith")));

    // A folder removed since is forgotten; without a working directory the documents folder (or
    // home) comes next.
    ASSERT_TRUE(QDir(pictures.path()).removeRecursively());
    EXPECT_EQ(window.dialogs().startFolder(FileKind::ChartPicture), cwd);
    ASSERT_TRUE(QDir(work.path()).removeRecursively());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(window.dialogs().startFolder(FileKind::ChartPicture),
              (QFileInfo(documents).isDir() ? documents : QDir::homePath()).toStdString());
    EXPECT_EQ(window.dialogs().startFolder(FileKind::Study), folder(studies));
    QDir::setCurrent(before);
    EXPECT_TRUE(realDialogs.empty()) << realDialogs.front();
}

}  // namespace
}  // namespace ferrolith::test
