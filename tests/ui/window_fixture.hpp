#pragma once

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/run_observer.hpp"
#include "support/report_helpers.hpp"
#include "ui/main/frmMain.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith::test {

struct ShownMessage {
    std::string prompt;
    std::optional<std::string> title;
    MessageIcon icon;
    MessageButtons buttons;
};

// What the window's runs tell, beside the window's own view, on the window's thread: how many
// started, the completed repetitions at each repetitionFinished, and each run's result at its end.
class RunRecorder : public RunListener {
  public:
    int started = 0;
    std::vector<int> finished;
    std::vector<RunResult> ended;
    // Called at each repetitionFinished, after the window's view and results window were told.
    std::function<void(const RunResult&)> onRepetition;

    void runStarted(const RunResult&) override { ++started; }
    void repetitionFinished(const RunResult& run) override {
        finished.push_back(run.completedRepetitions());
        if (onRepetition) onRepetition(run);
    }
    void runEnded(const RunResult& run) override { ended.push_back(run); }
};

// The real window after its load step, with every message box and file dialog answered by the
// test through the window's dialog hooks: OK boxes are acknowledged and the save question gets
// saveAnswer; a Save As dialog returns savePath with the filter saveFilter, an Open dialog
// openPath (an empty path cancels). Every run is recorded in runs.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        window.Form_Load();
        window.show();
        window.setRunListener(&runs);
        window.dialogs().setMessageBoxHook([this](std::string_view prompt,
                                                  std::optional<std::string_view> title,
                                                  MessageIcon icon, MessageButtons buttons) {
            messages.push_back({std::string(prompt),
                                title ? std::optional<std::string>(*title) : std::nullopt, icon,
                                buttons});
            return buttons == MessageButtons::Ok ? MessageResult::Ok : saveAnswer;
        });
        window.dialogs().setFileDialogHook([this](const SaveDialogSettings& settings) {
            dialogs.push_back(settings);
            const std::string& path = settings.open ? openPath : savePath;
            return SaveDialogResult{
                .cancelled = path.empty(), .fileName = path, .filter = saveFilter};
        });
    }

    // The report as the report box shows it.
    std::string report() const { return fromWidgetText(c.txtReport->toPlainText()); }
    // Presses Calculate and waits for the window to have kept the run.
    void pressCalculate() {
        clickCalculate();
        waitForRun();
    }
    // Presses Calculate: the run goes on the worker.
    void clickCalculate() { QTest::mouseClick(c.btmCalc, Qt::LeftButton); }
    // Waits for a run under way to end and the window to have kept it.
    void waitForRun() {
        if (window.running()) {
            EXPECT_TRUE(calculated.wait(300000));
        }
    }

    frmMain window;
    const MainWindowControls& c = window.controls();
    QSignalSpy calculated{&window, &frmMain::runFinished};
    RunRecorder runs;
    std::vector<ShownMessage> messages;
    std::vector<SaveDialogSettings> dialogs;
    MessageResult saveAnswer = MessageResult::No;
    std::string savePath;
    std::size_t saveFilter = 0;
    std::string openPath;
};

// What the report box itself shows.
inline std::string shownReport(const MainWindowControls& c) {
    return fromWidgetText(c.txtReport->toPlainText());
}

// A run as it stands after completed of planned repetitions, to tell a view directly.
inline RunResult runAt(int completed, int planned) {
    RunResult run;
    run.plannedRepetitions = planned;
    run.repetitions.resize(static_cast<std::size_t>(completed));
    run.tallies.resize(static_cast<std::size_t>(completed));
    return run;
}

using testing::countLineEnds;
using testing::countOf;

}  // namespace ferrolith::test
