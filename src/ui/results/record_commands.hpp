#pragma once

#include <QObject>
#include <optional>

#include "record/calculation_record.hpp"
#include "ui/results/results_window.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

namespace ferrolith {

// The calculation record of the windows' analysis: "Save Calculation Record..." in the results
// window writes it as PDF through the safe save, "Print..." prints the same pages.
class RecordCommands : public QObject {
    Q_OBJECT

  public:
    // analysis: the windows' analysis, which it records.
    RecordCommands(ResultsWindow& window, const WindowAnalysis& analysis, WindowDialogs& dialogs);

    void saveRecord();
    void print();

  private:
    // False, after telling the user, when there is no run to record.
    bool haveRun();

    ResultsWindow& window_;
    const WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
};

}  // namespace ferrolith
