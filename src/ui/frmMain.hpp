#pragma once

#include <QWidget>

#include "run/simulation_run.hpp"
#include "ui/main_window_controls.hpp"
#include "ui/qt_window_operations.hpp"
#include "ui/results_export.hpp"
#include "ui/results_link.hpp"
#include "ui/study_commands.hpp"

namespace ferrolith {

// The program's only window: the inputs, the Calculate command, the progress display, the
// report area and the beam sketch. It wires the controls to the run and holds no logic of its
// own.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    explicit frmMain(QWidget* parent = nullptr);

    // The load step, run once before the window is first shown: fills the distribution lists.
    void Form_Load();

    const MainWindowControls& controls() const { return controls_; }
    QtWindowOperations& operations() { return operations_; }
    SimulationRun& simulationRun() { return run_; }
    ResultsLink& results() { return results_; }
    StudyCommands& studyCommands() { return studies_; }
    ResultsExport& resultsExport() { return export_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A close during a run is held back until the run has stopped at a repetition boundary.
    void closeEvent(QCloseEvent* event) override;

  private:
    void btmCalc_Click();

    MainWindowControls controls_;
    QtWindowOperations operations_;
    SimulationRun run_;
    ResultsLink results_;
    StudyCommands studies_;
    ResultsExport export_;
};

}  // namespace ferrolith
