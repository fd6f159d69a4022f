#pragma once

#include <QObject>
#include <functional>
#include <optional>
#include <string>

#include "ui/main_window_view.hpp"
#include "ui/run_seeds.hpp"
#include "ui/window_dialogs.hpp"

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
    // Where a study's target reliability index lives, outside the main window's inputs: read
    // when a study is saved, set when one is opened. Without it a saved study holds the default.
    struct TargetIndexAccess {
        std::function<double()> read;
        std::function<void(double)> write;
    };

    StudyCommands(QWidget& window, MainWindowView& view, WindowDialogs& dialogs, RunSeeds& seeds);

    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }

    // Reads the study at path into the window. A file that is not a study changes nothing and
    // is named in a one-line message box. True when the study was opened.
    bool openStudy(const std::string& path);
    // The study file last opened or saved; empty before either.
    const std::string& studyPath() const { return studyPath_; }
    void setTargetIndexAccess(TargetIndexAccess access) { target_ = std::move(access); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void openFromDialog();
    void saveAs();
    std::optional<std::string> askForStudy();

    MainWindowView& view_;
    WindowDialogs& dialogs_;
    RunSeeds& seeds_;
    QAction* open_;
    QAction* save_;
    TargetIndexAccess target_;
    std::string studyPath_;
};

}  // namespace ferrolith
