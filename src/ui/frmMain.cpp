#include "ui/frmMain.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <exception>

#include "ui/beam_sketch.hpp"
#include "ui/report_context_menu.hpp"
#include "ui/twips.hpp"
#include "ui/widget_text.hpp"

namespace ferrolith {

frmMain::frmMain(QWidget* parent)
    : QWidget(parent),
      controls_(createMainWindowControls(*this)),
      operations_(*this, controls_),
      run_(operations_),
      results_(*this, run_),
      studies_(*this, controls_, operations_, run_),
      export_(results_.window(), run_, operations_) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(toWidgetText(mainWindowTitle));
    setFixedSize(twipsToPixels(11220), twipsToPixels(8655));
    connect(controls_.btmCalc, &QPushButton::clicked, this, &frmMain::btmCalc_Click);
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
    if (!run_.running()) {
        event->accept();
        return;
    }
    operations_.requestClose();
    event->ignore();
}

void frmMain::btmCalc_Click() {
    // The button stays enabled and keeps the focus through a run, so keys meant for it never
    // reach an input; a press while the run is under way starts nothing.
    if (run_.running()) return;
    results_.runStarting();
    RunOutcome outcome = RunOutcome::Failed;
    try {
        outcome = run_.btmCalc_Click();
    } catch (const std::exception& failure) {
        // The run reports its own failures; this keeps the window alive should one slip past.
        operations_.messageBox(failure.what(), std::nullopt, MessageIcon::None, MessageButtons::Ok);
    }
    operations_.showPending();
    results_.runEnded(outcome);
    if (operations_.closeRequested()) close();
}

}  // namespace ferrolith
