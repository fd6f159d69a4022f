#include "ui/record_commands.hpp"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "record/record_document.hpp"
#include "report/save_error_message.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

// "beam" for beam.ferrolith: the name the printer's queue shows.
QString printJobName(const std::string& studyPath) {
    const QString name = QFileInfo(QString::fromStdString(studyPath)).completeBaseName();
    return name.isEmpty() ? QString::fromUtf8(results_text::recordPrintName) : name;
}

}  // namespace

RecordCommands::RecordCommands(ResultsWindow& window, const std::optional<RunResult>& lastRun,
                               WindowDialogs& dialogs, std::function<std::string()> studyPath)
    : QObject(&window),
      window_(window),
      lastRun_(lastRun),
      dialogs_(dialogs),
      studyPath_(std::move(studyPath)) {
    connect(&window, &ResultsWindow::recordRequested, this, &RecordCommands::saveRecord);
    connect(&window, &ResultsWindow::printRequested, this, &RecordCommands::print);
}

bool RecordCommands::haveRun() {
    if (lastRun_) return true;
    dialogs_.tell(&window_, results_text::noRunToRecord);
    return false;
}

CalculationRecord RecordCommands::currentRecord() const {
    // The record shows the study's FORM in a section of its own: the tab's FORM row is that one.
    std::vector<reliability::MethodResult> methods;
    for (const reliability::MethodResult& m : window_.methodResults())
        if (m.method != reliability::Method::Form) methods.push_back(m);
    CalculationRecord record = calculationRecord(*lastRun_, std::move(methods));
    record.targetIndex = record.study.targetIndex = window_.methods().targetIndex();
    return record;
}

void RecordCommands::saveRecord() {
    if (!haveRun()) return;
    const SaveDialogSettings settings{
        results_text::saveRecordTitle, true, "pdf", {}, {{results_text::pdfFilterName, "*.pdf"}},
        results_text::recordFileName,
    };
    const SaveDialogResult chosen = dialogs_.askForFile(&window_, FileKind::Record, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    if (const auto failure = ferrolith::saveRecord(currentRecord(), chosen.fileName))
        dialogs_.tell(&window_, saveErrorMessage(chosen.fileName, *failure));
}

void RecordCommands::print() {
    if (!haveRun()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(printJobName(studyPath_()));
    if (!dialogs_.askToPrint(&window_, printer)) return;
    if (paintRecord(currentRecord(), printer) == 0)
        dialogs_.tell(&window_, results_text::cannotPrint);
}

}  // namespace ferrolith
