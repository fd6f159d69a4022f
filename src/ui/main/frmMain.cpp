#include "ui/main/frmMain.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <utility>

#include "report/titles.hpp"
#include "ui/main/beam_sketch.hpp"
#include "ui/main/parameter_tips.hpp"
#include "ui/main/report_context_menu.hpp"
#include "ui/widgets/twips.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

frmMain::frmMain(QWidget* parent)
    : QWidget(parent),
      controls_(createMainWindowControls(*this)),
      dialogs_(*this),
      view_(controls_, dialogs_),
      results_(*this, analysis_, dialogs_),
      studies_(*this, view_, dialogs_, seeds_, analysis_),
      export_(results_.window(), analysis_, dialogs_),
      records_(results_.window(), analysis_, dialogs_) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(toWidgetText(mainWindowTitle));
    setFixedSize(twipsToPixels(11220), twipsToPixels(8655));
    // A window of fixed size has nothing to maximise to: the window manager offers no button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    connect(controls_.btmCalc, &QPushButton::clicked, this, &frmMain::btmCalc_Click);
    connect(&worker_, &RunWorker::finished, this, &frmMain::keepRun);
    installParameterTips(controls_);
    installReportContextMenu(*controls_.txtReport,
                             {studies_.openAction(), studies_.saveAction(), results_.showAction()});
}

void frmMain::Form_Load() {
    for (QComboBox* list : controls_.cmbDist) {
        for (std::string_view name : distributionNames) list->addItem(toWidgetText(name));
        list->setCurrentIndex(-1);
    }
}

void frmMain::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBeamSketch(painter);
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!worker_.running()) {
        event->accept();
        return;
    }
    closeRequested_ = true;
    worker_.requestStop();
    event->ignore();
}

void frmMain::btmCalc_Click() {
    // The button stays enabled and keeps the focus through a run, so keys meant for it never
    // reach an input; a press while the run is under way starts nothing.
    if (worker_.running()) return;
    results_.calculatePressed();
    // The run's study, and so its results files, hold the analysis's target and its basis.
    Study study = view_.study(seeds_.fixed);
    copyBasis(analysis_.current().study(), study);
    worker_.start(RunRequest{study, options_}, view_, {&view_, &results_, extraListener_});
}

void frmMain::keepRun() {
    if (!worker_.failure().empty())
        view_.messageBox(worker_.failure(), std::nullopt, MessageIcon::None, MessageButtons::Ok);
    RunResult run = std::move(worker_.result());
    // A run that got past its counts starts a new analysis, with its results or with none.
    if (run.plannedRepetitions > 0) seeds_.last = run.study.seed;
    if (run.recorded())
        analysis_.replace(Analysis::ofDesignRun(std::move(run), analysis_.current()));
    else if (run.plannedRepetitions > 0)
        analysis_.replace(Analysis(run.study, analysis_.current().studyName()));
    if (std::exchange(closeRequested_, false)) close();
    emit runFinished();
}

}  // namespace ferrolith
