#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/progress_line.hpp"
#include "session/run_observer.hpp"

namespace ferrolith {

// The driver's side of a run: message boxes go to the error stream as one line each, and the
// save question is answered from the options, Yes with a file to save the report to. With
// showProgress the run's progress is drawn on the same stream, which must be a terminal.
class DriverObserver : public RunObserver, public Dialogs {
  public:
    DriverObserver(std::optional<std::string> outputFile, std::ostream& messages,
                   bool showProgress = false, ProgressLine::Now now = ProgressLine::Clock::now);

    void runStarted(const RunResult& run) override;
    void repetitionFinished(const RunResult& run) override;
    void runEnded(const RunResult& run) override;

    // A method's progress, drawn as a run's: its updates may come from any thread, one at a time.
    void methodStarted();
    void methodAdvanced(const ProgressCount& count);
    void methodEnded();

    bool stopRequested() override { return false; }

    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveOutcome saveReport(const RunResult& run) override;
    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override;
    std::string saveFolder() override;

  private:
    std::optional<std::string> outputFile_;
    std::ostream& messages_;
    ProgressLine progress_;
};

// Progress is drawn unless --quiet, and only when standard error is a terminal.
bool progressShown(bool quiet);

}  // namespace ferrolith
