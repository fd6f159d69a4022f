#pragma once

#include <QObject>
#include <optional>
#include <string>

#include "ui/main/main_window_view.hpp"
#include "ui/main/run_seeds.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

class QAction;
class QWidget;

namespace ferrolith {

// Opening and saving studies from the main window: "Open Study..." (Ctrl+O) and "Save Study
// As..." (Ctrl+Shift+S), and a file dropped anywhere on the window opens it. A study fills the
// window's inputs, fixes the seed of its runs and starts a new analysis; a saved study holds the
// seed that repeats the last run.
class StudyCommands : public QObject {
    Q_OBJECT

  public:
    // analysis: the windows' analysis, which an opened study replaces and whose target index a
    // saved study holds.
    StudyCommands(QWidget& window, MainWindowView& view, WindowDialogs& dialogs, RunSeeds& seeds,
                  WindowAnalysis& analysis);

    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }

    // Reads the study at path into the window. A file that is not a study changes nothing and
    // is named in a one-line message box. True when the study was opened.
    bool openStudy(const std::string& path);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openFromDialog();
    void saveAs();
    std::optional<std::string> askForStudy();

    MainWindowView& view_;
    WindowDialogs& dialogs_;
    RunSeeds& seeds_;
    WindowAnalysis& analysis_;
    QAction* open_;
    QAction* save_;
};

}  // namespace ferrolith
