#pragma once

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "run/window_operations.hpp"
#include "ui/main_window_controls.hpp"

namespace ferrolith {

// The window operations the run uses, carried out on the main window's controls.
//
// What the run shows (report lines, the progress bar and its label) is held back and put into the
// controls at most once a refresh interval, when the run processes events: a person sees no more
// than about 60 updates a second, and a run of many short repetitions would otherwise spend its
// time laying out and repainting. Everything held back is shown before the report is read, before
// any dialog opens and when the window asks for it at the end of a run.
class QtWindowOperations : public WindowOperations {
  public:
    using MessageBoxHook =
        std::function<MessageResult(std::string_view prompt, std::optional<std::string_view> title,
                                    MessageIcon icon, MessageButtons buttons)>;
    using SaveDialogHook = std::function<SaveDialogResult(const SaveDialogSettings& settings)>;

    // window is the parent of the dialogs; controls are window's own.
    QtWindowOperations(QWidget& window, const MainWindowControls& controls);

    // Answer message boxes or the Save As dialog in place of the user; an empty hook brings
    // back the real modal dialogs.
    void setMessageBoxHook(MessageBoxHook hook) { messageBoxHook_ = std::move(hook); }
    void setSaveDialogHook(SaveDialogHook hook) { saveDialogHook_ = std::move(hook); }

    // The user asked to close the window; the run stops at its next repetition boundary.
    void requestClose() { closeRequested_ = true; }

    // The shortest time between two updates of the controls during a run; zero shows every
    // change at the next processing of events.
    void setRefreshInterval(std::chrono::milliseconds interval) { refreshInterval_ = interval; }
    // Puts everything held back into the controls now.
    void showPending();

    std::string repetitionsText() override;
    std::string sampleSizeText() override;
    std::string paramText(InputVariable variable) override;
    std::string distText(InputVariable variable) override;

    std::string reportText() override;
    void setReportText(const std::string& text) override;
    void appendReport(std::string_view piece) override;

    void setProgressMin(float value) override;
    void setProgressMax(float value) override;
    void setProgressValue(float value) override;
    float progressMax() override { return progressMax_; }
    float progressValue() override { return progressValue_; }
    void setProgressLabel(const std::string& caption) override;

    void processEvents() override;
    bool closeRequested() override { return closeRequested_; }

    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override;
    std::string saveFolder() override;

  private:
    using Clock = std::chrono::steady_clock;

    void showPendingReport();
    // The bar holds whole numbers; the run reads back the single-precision values it set.
    void showProgress();

    QWidget& window_;
    const MainWindowControls& controls_;
    float progressMin_;
    float progressMax_;
    float progressValue_;
    QString pendingReport_;
    bool progressPending_ = false;
    std::optional<QString> pendingLabel_;
    std::chrono::milliseconds refreshInterval_{33};
    Clock::time_point lastShown_;
    bool closeRequested_ = false;
    MessageBoxHook messageBoxHook_;
    SaveDialogHook saveDialogHook_;
};

}  // namespace ferrolith
