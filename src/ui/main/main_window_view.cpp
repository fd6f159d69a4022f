#include "ui/main/main_window_view.hpp"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "report/report_text.hpp"
#include "session/save_report.hpp"
#include "ui/widgets/fit_caption.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

MainWindowView::MainWindowView(const MainWindowControls& controls, WindowDialogs& dialogs)
    : controls_(controls), dialogs_(dialogs) {}

Study MainWindowView::study(std::optional<std::uint64_t> seed) const {
    Study study;
    study.repetitions = controls_.txtRepititions->text().toStdString();
    study.samples = controls_.txtSampleSize->text().toStdString();
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        study.parameters[i] = controls_.txtParam[i]->text().toStdString();
        study.distributions[i] = controls_.cmbDist[i]->currentText().toStdString();
    }
    study.seed = seed;
    return study;
}

void MainWindowView::showStudy(const Study& study) {
    controls_.txtRepititions->setText(QString::fromStdString(study.repetitions));
    controls_.txtSampleSize->setText(QString::fromStdString(study.samples));
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        controls_.txtParam[i]->setText(QString::fromStdString(study.parameters[i]));
        // An empty choice is no item selected, as at start-up.
        QComboBox* list = controls_.cmbDist[i];
        list->setCurrentIndex(study.distributions[i].empty()
                                  ? -1
                                  : list->findText(QString::fromStdString(study.distributions[i])));
    }
}

void MainWindowView::runStarted(const RunResult& run) {
    controls_.txtReport->setPlainText(QString());
    // The bar keeps its value from the last run until the first repetition completes.
    showProgress(controls_.pb->value(), run.plannedRepetitions);
    controls_.lblBar->setText(QString::fromStdString(progressCaption(0, run.plannedRepetitions)));
    fitCaption(*controls_.lblBar);
}

void MainWindowView::reportAppended(std::string_view piece) {
    // Inserted at the end as it stands now, after anything the user typed into the box. The
    // run's text is not the user's edit, so Ctrl+Z must not take it back: it goes in with the undo
    // history off, which also forgets what the user typed into the box earlier in this run (the
    // history cannot be kept past an edit it did not record). Typing after the run is undoable.
    QTextDocument* document = controls_.txtReport->document();
    document->setUndoRedoEnabled(false);
    QTextCursor end(document);
    end.movePosition(QTextCursor::End);
    end.insertText(toWidgetText(piece));
    document->setUndoRedoEnabled(true);
    QScrollBar* bar = controls_.txtReport->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void MainWindowView::repetitionFinished(const RunResult& run) {
    showProgress(run.completedRepetitions(), run.plannedRepetitions);
    controls_.lblBar->setText(QString::fromStdString(
        progressCaption(run.completedRepetitions(), run.plannedRepetitions)));
    fitCaption(*controls_.lblBar);
}

MessageResult MainWindowView::messageBox(std::string_view prompt,
                                         std::optional<std::string_view> title, MessageIcon icon,
                                         MessageButtons buttons) {
    return dialogs_.messageBox(prompt, title, icon, buttons);
}

SaveOutcome MainWindowView::saveReport(const RunResult&) {
    // The report as the box holds it now, with anything the user typed into it.
    return ferrolith::saveReport(dialogs_, fromWidgetText(controls_.txtReport->toPlainText()));
}

void MainWindowView::showProgress(int done, int planned) {
    controls_.pb->setRange(0, planned);
    controls_.pb->setValue(std::clamp(done, 0, planned));
}

}  // namespace ferrolith
