#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "run/simulation_run.hpp"
#include "ui/main_window_controls.hpp"
#include "ui/qt_window_operations.hpp"

class QAction;
class QWidget;

namespace ferrolith {

// Opening and saving studies from the main window: "Open Study..." (Ctrl+O) and "Save Study
// As..." (Ctrl+Shift+S), and a file dropped anywhere on the window opens it. A study fills the
// window's inputs and fixes the seed of its runs; a saved study holds the seed that repeats the
// last run.
class StudyCommands : public QObject {
    Q_OBJECT

  public:
    // The chosen file, or nothing when the dialog was cancelled.
    using OpenDialogHook = std::function<std::optional<std::string>()>;

    StudyCommands(QWidget& window, const MainWindowControls& controls,
                  QtWindowOperations& operations, SimulationRun& run);

    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }

    // Answers the Open Study dialog in place of the user; an empty hook brings back the dialog.
    void setOpenDialogHook(OpenDialogHook hook) { openDialogHook_ = std::move(hook); }

    // Reads the study at path into the window. A file that is not a study changes nothing and
    // is named in a one-line message box. True when the study was opened.
    bool openStudy(const std::string& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openFromDialog();
    void saveAs();
    std::optional<std::string> askForStudy();

    QWidget& window_;
    const MainWindowControls& controls_;
    QtWindowOperations& operations_;
    SimulationRun& run_;
    QAction* open_;
    QAction* save_;
    OpenDialogHook openDialogHook_;
};

}  // namespace ferrolith
