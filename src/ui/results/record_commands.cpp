#include "ui/results/record_commands.hpp"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "record/record_document.hpp"
#include "report/save_error_message.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

namespace {

// "beam" for beam.ferrolith: the name the printer's queue shows.
QString printJobName(const std::string& studyName) {
    const QString name = QFileInfo(QString::fromStdString(studyName)).completeBaseName();
    return name.isEmpty() ? QString::fromUtf8(results_text::recordPrintName) : name;
}

}  // namespace

RecordCommands::RecordCommands(ResultsWindow& window, const WindowAnalysis& analysis,
                               WindowDialogs& dialogs)
    : QObject(&window), window_(window), analysis_(analysis), dialogs_(dialogs) {
    connect(&window, &ResultsWindow::recordRequested, this, &RecordCommands::saveRecord);
    connect(&window, &ResultsWindow::printRequested, this, &RecordCommands::print);
}

bool RecordCommands::haveRun() {
    if (analysis_.current().design()) return true;
    dialogs_.tell(&window_, results_text::noRunToRecord);
    return false;
}

void RecordCommands::saveRecord() {
    if (!haveRun()) return;
    const SaveDialogSettings settings{
        results_text::saveRecordTitle, true, "pdf", {}, {{results_text::pdfFilterName, "*.pdf"}},
        results_text::recordFileName,
    };
    const SaveDialogResult chosen = dialogs_.askForFile(&window_, FileKind::Record, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    if (const auto failure =
            ferrolith::saveRecord(calculationRecord(analysis_.current()), chosen.fileName))
        dialogs_.tell(&window_, saveErrorMessage(chosen.fileName, *failure));
}

void RecordCommands::print() {
    if (!haveRun()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(printJobName(analysis_.current().studyName()));
    if (!dialogs_.askToPrint(&window_, printer)) return;
    if (paintRecord(calculationRecord(analysis_.current()), printer) == 0)
        dialogs_.tell(&window_, results_text::cannotPrint);
}

}  // namespace ferrolith
