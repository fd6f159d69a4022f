#pragma once

#include <QObject>
#include <QTimer>
#include <cstddef>

#include "failure_statistics/failure_figures.hpp"
#include "run/simulation_run.hpp"
#include "ui/results_window.hpp"

class QAction;
class QWidget;

namespace ferrolith {

// Owns the results window, a top-level window of its own (a window tied to the main one would be
// kept in front of it), and keeps it in step with the main window's run. It reads the run state
// only on the window's thread, while a run is under way at most every updateIntervalMs and rarely
// enough that updating takes no more than a fortieth of the time, and once when the run ends.
// Nothing of the results window reaches the run.
class ResultsLink : public QObject {
    Q_OBJECT

  public:
    static constexpr int updateIntervalMs = 100;
    static constexpr int longestIntervalMs = 2000;

    ResultsLink(QWidget& mainWindow, const SimulationRun& run);

    // "Show Results" (Ctrl+R), active anywhere in the main window.
    QAction* showAction() const { return showAction_; }
    ResultsWindow& window() { return window_; }

    // Calculate was pressed: the window opens beside the main window unless it is open.
    void runStarting();
    // The run ended as outcome: the final figures, or the previous ones when it never began.
    void runEnded(RunOutcome outcome);
    // Opens the window (or brings it forward) with the figures as they stand.
    void showResults();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void poll();
    // Shows the figures of the current run's completed repetitions.
    void refresh(RunStatus status);
    // The current run has got past its counts.
    bool runHasBegun() const;
    void placeBesideMainWindow();

    QWidget& mainWindow_;
    const SimulationRun& run_;
    ResultsWindow window_;
    QAction* showAction_;
    QTimer timer_;
    double startTimeBefore_ = 0.0;  // the run state's start time before the current Calculate
    std::size_t shownRepetitions_ = 0;
    bool distributionsShown_ = false;
    bool following_ = false;  // the window shows the current run rather than the previous one
    bool running_ = false;
    RunStatus lastStatus_ = RunStatus::Completed;
};

}  // namespace ferrolith
