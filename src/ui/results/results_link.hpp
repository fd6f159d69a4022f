#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <optional>

#include "failure_statistics/failure_figures.hpp"
#include "session/run_observer.hpp"
#include "ui/results/results_window.hpp"

class QAction;
class QWidget;

namespace ferrolith {

// Owns the results window, a top-level window of its own (a window tied to the main one would be
// kept in front of it), and keeps it in step with the main window's runs, which it listens to.
// A finished repetition only marks the figures as out of date; a timer repaints them, at most
// every updateIntervalMs and rarely enough that updating takes no more than a fortieth of the
// time, and the end of a run repaints them at once. Nothing of the results window reaches the run.
class ResultsLink : public QObject, public RunListener {
    Q_OBJECT

  public:
    static constexpr int updateIntervalMs = 100;
    static constexpr int longestIntervalMs = 2000;

    ResultsLink(QWidget& mainWindow, WindowAnalysis& analysis, WindowDialogs& dialogs);

    // "Show Results" (Ctrl+R), active anywhere in the main window.
    QAction* showAction() const { return showAction_; }
    ResultsWindow& window() { return window_; }

    // Calculate was pressed: the window opens beside the main window unless it is open.
    void calculatePressed();
    // Opens the window (or brings it forward) with the figures as they stand.
    void showResults();

    void runStarted(const RunResult& run) override;
    void repetitionFinished(const RunResult& run) override;
    void runEnded(const RunResult& run) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The timer's turn: repaints the figures of the run under way if they are out of date.
    void update();
    void refresh(const RunResult& run, RunStatus status);
    // A run ended: what the figures cannot show of it.
    void analysisReplaced();
    // The inputs out of range, after the advice.
    void appendRangeWarnings();
    void placeBesideMainWindow();

    QWidget& mainWindow_;
    WindowAnalysis& analysis_;
    ResultsWindow window_;
    QAction* showAction_;
    QTimer timer_;
    const RunResult* live_ = nullptr;  // the run under way, valid between its start and end
    bool outOfDate_ = false;
    bool distributionsShown_ = false;
    std::optional<QPoint> mainPlacedAt_;  // where the main window appeared
    bool arranged_ = false;               // the results window has opened once
};

}  // namespace ferrolith
