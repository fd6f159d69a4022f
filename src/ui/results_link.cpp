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
#include "reliability/study_form.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

ResultsLink::ResultsLink(QWidget& mainWindow, WindowDialogs& dialogs)
    : mainWindow_(mainWindow),
      window_(dialogs),
      showAction_(new QAction(QString::fromUtf8(results_text::showResults), this)) {
    showAction_->setObjectName(QStringLiteral("showResults"));
    showAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    showAction_->setShortcutContext(Qt::WindowShortcut);
    connect(showAction_, &QAction::triggered, this, &ResultsLink::showResults);
    mainWindow.addAction(showAction_);
    timer_.setInterval(updateIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &ResultsLink::update);
    mainWindow.installEventFilter(this);
}

bool ResultsLink::eventFilter(QObject* watched, QEvent* event) {
    // The main window hides for good when it closes (a minimized window hides spontaneously):
    // the results window goes with it, so that the program ends.
    if (watched == &mainWindow_ && event->type() == QEvent::Hide && !event->spontaneous())
        window_.close();
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
            // FORM on the run's inputs costs milliseconds; it says where the design's generator
            // cannot reach the failure domain.
            if (const auto warning = reliability::studyTailWarning(run.study))
                window_.appendAdvice(*warning);
            break;
        case RunOutcome::Aborted:
            refresh(run, RunStatus::Aborted);
            break;
        case RunOutcome::Failed:
        case RunOutcome::Stopped:
            break;
    }
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
        window_.showStatus(statusLine(status, run.completedRepetitions(), run.plannedRepetitions));
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
