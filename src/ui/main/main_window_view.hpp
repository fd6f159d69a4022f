#pragma once

#include <optional>

#include "model/study.hpp"
#include "session/run_observer.hpp"
#include "ui/main/main_window_controls.hpp"
#include "ui/widgets/window_dialogs.hpp"

namespace ferrolith {

// The main window's side of a run: the report box, the progress bar and its label show what the
// run tells as soon as it is told (the run's worker tells it at most about 30 times a second),
// and message boxes and the save question are asked over the window.
class MainWindowView : public RunListener, public RunQuestions {
  public:
    MainWindowView(const MainWindowControls& controls, WindowDialogs& dialogs);

    // The study the inputs describe, texts as they stand, with the given seed.
    Study study(std::optional<std::uint64_t> seed) const;
    // Fills the inputs from a study, as typing them would.
    void showStudy(const Study& study);

    void runStarted(const RunResult& run) override;
    void reportAppended(std::string_view piece) override;
    void repetitionFinished(const RunResult& run) override;
    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveOutcome saveReport(const RunResult& run) override;

  private:
    void showProgress(int done, int planned);

    const MainWindowControls& controls_;
    WindowDialogs& dialogs_;
};

}  // namespace ferrolith
