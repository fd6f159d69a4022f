#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "run/simulation_run.hpp"
#include "ui/qt_window_operations.hpp"
#include "ui/results_window.hpp"

namespace ferrolith {

// The results files of the window's last run: "Export Results..." in the results window writes
// them as JSON or as CSV, by the filter chosen, through the same safe save as the report.
class ResultsExport : public QObject {
    Q_OBJECT

  public:
    enum class Format { Json, Csv };
    struct Choice {
        std::string path;
        Format format;
    };
    // The chosen file and format, or nothing when the dialog was cancelled.
    using DialogHook = std::function<std::optional<Choice>()>;

    // operations supplies the report text and the message boxes.
    ResultsExport(ResultsWindow& window, const SimulationRun& run, QtWindowOperations& operations);

    // Answers the export dialog in place of the user; an empty hook brings back the dialog.
    void setDialogHook(DialogHook hook) { dialogHook_ = std::move(hook); }

    void exportResults();

  private:
    std::optional<Choice> askForFile();

    ResultsWindow& window_;
    const SimulationRun& run_;
    QtWindowOperations& operations_;
    DialogHook dialogHook_;
};

}  // namespace ferrolith
