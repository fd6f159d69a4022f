#pragma once

#include <QObject>
#include <optional>

#include "ui/results/results_window.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

namespace ferrolith {

// The results files of the windows' analysis: "Export Results..." in the results window writes
// them as JSON (the design run with the methods run on its study) or as CSV (the design run's
// repetitions), by the filter chosen, through the same safe save as the report.
class ResultsExport : public QObject {
    Q_OBJECT

  public:
    // analysis: the windows' analysis, whose results it writes.
    ResultsExport(ResultsWindow& window, const WindowAnalysis& analysis, WindowDialogs& dialogs);

    void exportResults();

  private:
    ResultsWindow& window_;
    const WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
};

}  // namespace ferrolith
