#pragma once

#include <QString>
#include <chrono>
#include <optional>

#include "model/study.hpp"
#include "session/run_observer.hpp"
#include "ui/main_window_controls.hpp"
#include "ui/window_dialogs.hpp"

namespace ferrolith {

// The main window's side of a run: the report box, the progress bar and its label show what the
// run tells, message boxes and the save question are asked over the window, and a close asked
// for during the run stops it.
//
// What the run tells is held back and put into the controls at most once a refresh interval,
// when the run lets the window handle events: a person sees no more than about 30 updates a
// second, and a run of many short repetitions would otherwise spend its time laying out and
// repainting. Everything held back is shown before any dialog opens and when the run ends.
class MainWindowView : public RunObserver {
  public:
    MainWindowView(const MainWindowControls& controls, WindowDialogs& dialogs);

    // The study the inputs describe, texts as they stand, with the given seed.
    Study study(std::optional<std::uint64_t> seed) const;
    // Fills the inputs from a study, as typing them would.
    void showStudy(const Study& study);

    // The user asked to close the window; the run stops at its next repetition boundary.
    void requestClose() { closeRequested_ = true; }
    bool closeRequested() const { return closeRequested_; }

    // The shortest time between two updates of the controls during a run; zero shows every
    // change when the run next lets the window handle events.
    void setRefreshInterval(std::chrono::milliseconds interval) { refreshInterval_ = interval; }

    void runStarted(const RunResult& run) override;
    void reportAppended(std::string_view piece) override;
    void repetitionFinished(const RunResult& run) override;
    void runEnded(const RunResult& run) override;
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveOutcome saveReport(const RunResult& run) override;
    bool stopRequested() override { return closeRequested_; }

  private:
    using Clock = std::chrono::steady_clock;

    // Puts everything held back into the controls now.
    void showPending();
    void showPendingReport();
    void showProgress();

    const MainWindowControls& controls_;
    WindowDialogs& dialogs_;
    int progressMax_ = 0;
    int progressValue_ = 0;
    QString pendingReport_;
    bool progressPending_ = false;
    std::optional<QString> pendingLabel_;
    std::chrono::milliseconds refreshInterval_{33};
    Clock::time_point lastShown_;
    bool closeRequested_ = false;
};

}  // namespace ferrolith
