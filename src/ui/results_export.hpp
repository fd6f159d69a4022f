#pragma once

#include <QObject>
#include <optional>

#include "model/run_result.hpp"
#include "ui/results_window.hpp"
#include "ui/window_dialogs.hpp"

namespace ferrolith {

// The results files of the window's last recorded run: "Export Results..." in the results window
// writes them as JSON or as CSV, by the filter chosen, through the same safe save as the report.
class ResultsExport : public QObject {
    Q_OBJECT

  public:
    // lastRun: the main window's last completed or aborted run, if any.
    ResultsExport(ResultsWindow& window, const std::optional<RunResult>& lastRun,
                  WindowDialogs& dialogs);

    void exportResults();

  private:
    ResultsWindow& window_;
    const std::optional<RunResult>& lastRun_;
    WindowDialogs& dialogs_;
};

}  // namespace ferrolith
