#include "ui/results/results_link.hpp"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <span>

#include "failure_statistics/figure_text.hpp"
#include "ui/results/results_placement.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

ResultsLink::ResultsLink(QWidget& mainWindow, WindowAnalysis& analysis, WindowDialogs& dialogs)
    : mainWindow_(mainWindow),
      analysis_(analysis),
      window_(analysis, dialogs),
      showAction_(new QAction(QString::fromUtf8(results_text::showResults), this)) {
    showAction_->setObjectName(QStringLiteral("showResults"));
    showAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    showAction_->setShortcutContext(Qt::WindowShortcut);
    connect(showAction_, &QAction::triggered, this, &ResultsLink::showResults);
    mainWindow.addAction(showAction_);
    timer_.setInterval(updateIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &ResultsLink::update);
    mainWindow.installEventFilter(this);
    connect(&analysis, &WindowAnalysis::replaced, this, &ResultsLink::analysisReplaced);
    connect(&analysis, &WindowAnalysis::loaded, this, [this] {
        window_.showNotRun(analysis_.current().studyName());
        appendRangeWarnings();
    });
}

bool ResultsLink::eventFilter(QObject* watched, QEvent* event) {
    // The main window hides for good when it closes (a minimized window hides spontaneously):
    // the results window goes with it, so that the program ends.
    if (watched == &mainWindow_ && event->type() == QEvent::Hide && !event->spontaneous())
        window_.close();
    // Where the main window appeared: by its first paint the window manager has placed it.
    if (watched == &mainWindow_ && event->type() == QEvent::Paint && !mainPlacedAt_)
        mainPlacedAt_ = mainWindow_.frameGeometry().topLeft();
    return QObject::eventFilter(watched, event);
}

void ResultsLink::calculatePressed() {
    if (window_.isVisible()) return;
    const bool mainWasActive = mainWindow_.isActiveWindow();
    placeBesideMainWindow();
    window_.show();
    // Where the screen has no room beside it, the main window stays in front; and it keeps the
    // keyboard on platforms that activate every window shown.
    mainWindow_.raise();
    if (mainWasActive) mainWindow_.activateWindow();
}

void ResultsLink::runStarted(const RunResult& run) {
    // The previous figures stay until the new run has completed a repetition.
    live_ = &run;
    outOfDate_ = false;
    distributionsShown_ = false;
    timer_.setInterval(updateIntervalMs);
    timer_.start();
}

void ResultsLink::repetitionFinished(const RunResult& run) {
    live_ = &run;
    outOfDate_ = true;
}

void ResultsLink::runEnded(const RunResult& run) {
    timer_.stop();
    live_ = nullptr;
    outOfDate_ = false;
    switch (run.outcome) {
        case RunOutcome::Completed:
            refresh(run, RunStatus::Completed);
            break;
        case RunOutcome::Aborted:
            refresh(run, RunStatus::Aborted);
            break;
        case RunOutcome::Failed:
        case RunOutcome::Stopped:
            break;
    }
}

void ResultsLink::analysisReplaced() {
    // Where the design's generator cannot reach the failure domain, under the figures the run
    // ended with.
    if (const auto warning = analysis_.current().tailWarning()) window_.appendAdvice(*warning);
    // FORM found further design points that its Pf leaves out.
    if (const auto warning = analysis_.current().severalPointsWarning())
        window_.appendAdvice(*warning);
    appendRangeWarnings();
}

void ResultsLink::appendRangeWarnings() {
    for (const RangeWarning& w : analysis_.current().rangeWarnings()) window_.appendAdvice(w.text);
}

void ResultsLink::showResults() {
    if (!window_.isVisible()) placeBesideMainWindow();
    window_.show();
    window_.raise();
    window_.activateWindow();
    // Updates were skipped while the window was closed.
    if (live_ && live_->completedRepetitions() > 0) refresh(*live_, RunStatus::Running);
}

void ResultsLink::update() {
    if (!window_.isVisible() || !live_ || !outOfDate_) return;
    // The update is timed, with the painting that follows it taken as long as the last one, and
    // the next comes only after forty times as long: the window takes no more than a fortieth of
    // the time the run is collected in.
    QElapsedTimer cost;
    cost.start();
    refresh(*live_, RunStatus::Running);
    outOfDate_ = false;
    const qint64 spent = cost.elapsed() + window_.lastPaintMs();
    timer_.setInterval(
        static_cast<int>(std::clamp<qint64>(spent * 40, updateIntervalMs, longestIntervalMs)));
}

void ResultsLink::refresh(const RunResult& run, RunStatus status) {
    const std::span<const RepetitionTally> tallies = run.tallies;
    if (!distributionsShown_) window_.clearDistributions();
    const std::optional<FailureFigures> figures =
        failureFigures(tallies, run.plannedRepetitions, status);
    if (!figures) {
        window_.showNoFigures(status, run.completedRepetitions(), run.plannedRepetitions);
        return;
    }
    window_.showFigures(*figures, convergence(tallies));
    // The run keeps the samples of its last repetition once it is complete.
    if (!distributionsShown_ && !run.lastEffect.empty()) {
        window_.showDistributions(run.lastEffect, run.lastResist, run.plannedRepetitions,
                                  run.plannedRepetitions);
        distributionsShown_ = true;
    }
}

void ResultsLink::placeBesideMainWindow() {
    const QScreen* screen =
        mainWindow_.screen() ? mainWindow_.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect room = screen->availableGeometry();
    const QRect main = mainWindow_.frameGeometry();
    // Before it is first shown the results window's frame is unknown: the main window's is the
    // best guess, both being decorated by the same window manager.
    const QSize frame = window_.isVisible() || window_.testAttribute(Qt::WA_WState_Created)
                            ? window_.frameGeometry().size() - window_.size()
                            : main.size() - mainWindow_.size();
    window_.resize(
        fittedSize(ResultsWindow::preferredSize, window_.minimumSizeHint(), room.size(), frame));
    // The pair is arranged once, when the results window first opens, and only if the main
    // window is where it appeared.
    const bool mayMoveMain = !arranged_ && mainPlacedAt_ == main.topLeft();
    arranged_ = true;
    const ResultsPlacement placed = placeResults(main, window_.size() + frame, room, mayMoveMain);
    if (placed.main) mainWindow_.move(*placed.main);
    window_.move(placed.results);
}

}  // namespace ferrolith
