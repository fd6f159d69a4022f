#pragma once

#include <QWidget>
#include <optional>

#include "model/run_result.hpp"
#include "ui/main/main_window_controls.hpp"
#include "ui/main/main_window_view.hpp"
#include "ui/main/run_seeds.hpp"
#include "ui/main/run_worker.hpp"
#include "ui/main/study_commands.hpp"
#include "ui/results/record_commands.hpp"
#include "ui/results/results_export.hpp"
#include "ui/results/results_link.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

namespace ferrolith {

// The main window: the inputs, the Calculate command, the progress display, the report area and
// the beam sketch. Calculate runs a study of its inputs on the run's worker; the window's view and
// the results window listen to the run. It holds no logic of its own.
class frmMain : public QWidget {
    Q_OBJECT

  public:
    explicit frmMain(QWidget* parent = nullptr);

    // The load step, run once before the window is first shown: fills the distribution lists.
    void Form_Load();

    const MainWindowControls& controls() const { return controls_; }
    WindowDialogs& dialogs() { return dialogs_; }
    MainWindowView& view() { return view_; }
    ResultsLink& results() { return results_; }
    StudyCommands& studyCommands() { return studies_; }
    ResultsExport& resultsExport() { return export_; }
    RecordCommands& recordCommands() { return records_; }
    RunSeeds& seeds() { return seeds_; }

    // How Calculate computes its runs.
    void setRunOptions(RunOptions options) { options_ = options; }
    // Tells of every run from its start to its end, beside the window's own view.
    void setRunListener(RunListener* listener) { extraListener_ = listener; }
    bool running() const { return worker_.running(); }
    RunWorker& runWorker() { return worker_; }
    // The analysis of the study loaded or last run: the windows' state.
    WindowAnalysis& analysis() { return analysis_; }
    // The run of that analysis, if it completed or was aborted; null otherwise.
    const RunResult* lastRun() const {
        const auto& design = analysis_.current().design();
        return design ? &design->run : nullptr;
    }

  signals:
    // A run started by Calculate has ended and the window has kept what it needs of it.
    void runFinished();

  protected:
    void paintEvent(QPaintEvent* event) override;
    // A close during a run stops it at its next repetition and closes the window when it has.
    void closeEvent(QCloseEvent* event) override;

  private:
    void btmCalc_Click();
    // The run's worker finished: the analysis, the seeds and a close held back.
    void keepRun();

    MainWindowControls controls_;
    WindowDialogs dialogs_;
    MainWindowView view_;
    RunSeeds seeds_;
    RunOptions options_;
    WindowAnalysis analysis_;
    ResultsLink results_;
    StudyCommands studies_;
    ResultsExport export_;
    RecordCommands records_;
    RunListener* extraListener_ = nullptr;
    bool closeRequested_ = false;
    // Last, so that a run under way stops before anything it tells goes.
    RunWorker worker_;
};

}  // namespace ferrolith
