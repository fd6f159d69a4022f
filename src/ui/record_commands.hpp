#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "model/run_result.hpp"
#include "record/calculation_record.hpp"
#include "ui/results_window.hpp"
#include "ui/window_dialogs.hpp"

namespace ferrolith {

// The calculation record of the window's last recorded run: "Save Calculation Record..." in the
// results window writes it as PDF through the safe save, "Print..." prints the same pages.
class RecordCommands : public QObject {
    Q_OBJECT

  public:
    // lastRun: the main window's last completed or aborted run, if any; studyPath: the study
    // file the window last opened or saved, empty if none, whose name the print job takes.
    RecordCommands(ResultsWindow& window, const std::optional<RunResult>& lastRun,
                   WindowDialogs& dialogs, std::function<std::string()> studyPath);

    void saveRecord();
    void print();

  private:
    // False, after telling the user, when there is no run to record.
    bool haveRun();
    // The last run with the methods of the results window and the target index it shows now.
    CalculationRecord currentRecord() const;

    ResultsWindow& window_;
    const std::optional<RunResult>& lastRun_;
    WindowDialogs& dialogs_;
    std::function<std::string()> studyPath_;
};

}  // namespace ferrolith
