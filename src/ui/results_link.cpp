#include "ui/results_link.hpp"

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <span>

#include "failure_statistics/figure_text.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

int plannedRepetitions(const RunState& s) {
    return s.safeFraction.empty() ? 0 : static_cast<int>(s.safeFraction.size()) - 1;
}

}  // namespace

ResultsLink::ResultsLink(QWidget& mainWindow, const SimulationRun& run)
    : mainWindow_(mainWindow),
      run_(run),
      window_(nullptr),
      showAction_(new QAction(QString::fromUtf8(results_text::showResults), this)) {
    showAction_->setObjectName(QStringLiteral("showResults"));
    showAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    showAction_->setShortcutContext(Qt::WindowShortcut);
    connect(showAction_, &QAction::triggered, this, &ResultsLink::showResults);
    mainWindow.addAction(showAction_);
    timer_.setInterval(updateIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &ResultsLink::poll);
    mainWindow.installEventFilter(this);
}

bool ResultsLink::eventFilter(QObject* watched, QEvent* event) {
    // The main window hides for good when it closes (a minimized window hides spontaneously):
    // the results window goes with it, so that the program ends.
    if (watched == &mainWindow_ && event->type() == QEvent::Hide && !event->spontaneous())
        window_.close();
    return QObject::eventFilter(watched, event);
}

void ResultsLink::runStarting() {
    // The run sets its start time only once its counts have converted: until it changes, the
    // run state still holds the previous run.
    startTimeBefore_ = run_.state().runStartTime;
    shownRepetitions_ = 0;
    distributionsShown_ = false;
    following_ = false;
    running_ = true;
    timer_.setInterval(updateIntervalMs);
    if (!window_.isVisible()) {
        const bool mainWasActive = mainWindow_.isActiveWindow();
        placeBesideMainWindow();
        window_.show();
        // Where the screen has no room beside it, the main window stays in front; and it keeps
        // the keyboard on platforms that activate every window shown.
        mainWindow_.raise();
        if (mainWasActive) mainWindow_.activateWindow();
    }
    timer_.start();
}

void ResultsLink::runEnded(RunOutcome outcome) {
    timer_.stop();
    running_ = false;
    if (!runHasBegun()) return;  // the counts did not convert: the previous figures stay
    switch (outcome) {
        case RunOutcome::Completed:
            refresh(RunStatus::Completed);
            break;
        case RunOutcome::Aborted:
            refresh(RunStatus::Aborted);
            break;
        case RunOutcome::Failed:
        case RunOutcome::Closed:
        case RunOutcome::Busy:
            break;
    }
}

void ResultsLink::showResults() {
    if (!window_.isVisible()) placeBesideMainWindow();
    window_.show();
    window_.raise();
    window_.activateWindow();
    // Updates were skipped while the window was closed.
    if (following_) refresh(running_ ? RunStatus::Running : lastStatus_);
}

void ResultsLink::poll() {
    if (!window_.isVisible() || !runHasBegun()) return;
    // The previous figures stay until the new run has completed a repetition.
    const std::size_t completed = run_.state().repetitionTallies.size();
    if (completed == 0 || completed == shownRepetitions_) return;
    // The update is timed, with the painting that follows it taken as long as the last one, and
    // the next comes only after forty times as long: the window takes no more than a fortieth of
    // the time the run is collected in.
    QElapsedTimer cost;
    cost.start();
    refresh(RunStatus::Running);
    const qint64 spent = cost.elapsed() + window_.lastPaintMs();
    timer_.setInterval(
        static_cast<int>(std::clamp<qint64>(spent * 40, updateIntervalMs, longestIntervalMs)));
}

bool ResultsLink::runHasBegun() const { return run_.state().runStartTime != startTimeBefore_; }

void ResultsLink::refresh(RunStatus status) {
    const RunState& s = run_.state();
    const std::span<const RepetitionTally> tallies = s.repetitionTallies;
    const int planned = plannedRepetitions(s);
    lastStatus_ = status;
    following_ = true;
    shownRepetitions_ = tallies.size();
    if (!distributionsShown_) window_.clearDistributions();
    const std::optional<FailureFigures> figures = failureFigures(tallies, planned, status);
    if (!figures) {
        window_.showStatus(statusLine(status, static_cast<int>(tallies.size()), planned));
        return;
    }
    window_.showFigures(*figures, convergence(tallies));
    // Both engines leave the samples of the last repetition in the run arrays once it is
    // collected; earlier repetitions' samples are not kept.
    if (!distributionsShown_ && planned > 0 && static_cast<int>(tallies.size()) == planned &&
        !s.abortFlag) {
        const std::span<const double> effect(s.effectSample);
        const std::span<const double> resist(s.resistSample);
        window_.showDistributions(effect.subspan(1), resist.subspan(1), planned, planned);
        distributionsShown_ = true;
    }
}

void ResultsLink::placeBesideMainWindow() {
    const QRect main = mainWindow_.frameGeometry();
    const QScreen* screen =
        mainWindow_.screen() ? mainWindow_.screen() : QGuiApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    const QSize size = window_.frameGeometry().size();
    QPoint at(main.right() + 1, main.top());
    if (!room.isEmpty()) {
        if (at.x() + size.width() > room.right() && main.left() - size.width() >= room.left())
            at.setX(main.left() - size.width());
        at.setX(
            std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - size.width())));
        at.setY(
            std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() - size.height())));
    }
    window_.move(at);
}

}  // namespace ferrolith
