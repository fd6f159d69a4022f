#include "ui/results_export.hpp"

#include <QFileDialog>

#include "results_file/results_csv.hpp"
#include "results_file/results_json.hpp"
#include "run/safe_file_write.hpp"
#include "run/save_error_message.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

QString text(const char* s) { return QString::fromUtf8(s); }

}  // namespace

ResultsExport::ResultsExport(ResultsWindow& window, const SimulationRun& run,
                             QtWindowOperations& operations)
    : QObject(&window), window_(window), run_(run), operations_(operations) {
    connect(&window, &ResultsWindow::exportRequested, this, &ResultsExport::exportResults);
}

std::optional<ResultsExport::Choice> ResultsExport::askForFile() {
    if (dialogHook_) return dialogHook_();
    QFileDialog dialog(&window_, text(results_text::exportTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({text(results_text::jsonFilter), text(results_text::csvFilter)});
    dialog.setDirectory(QString::fromStdString(operations_.saveFolder()));
    dialog.selectFile(QStringLiteral("results"));
    dialog.setDefaultSuffix(QStringLiteral("json"));
    // A name typed without an extension gets the one of the filter in effect.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == text(results_text::csvFilter) ? QStringLiteral("csv")
                                                                        : QStringLiteral("json"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const Format format =
        dialog.selectedNameFilter() == text(results_text::csvFilter) ? Format::Csv : Format::Json;
    return Choice{dialog.selectedFiles().front().toStdString(), format};
}

void ResultsExport::exportResults() {
    const auto record = RunRecord::of(run_, operations_.reportText());
    if (!record) {
        operations_.messageBox(results_text::noResultsToExport, std::nullopt, MessageIcon::None,
                               MessageButtons::Ok);
        return;
    }
    const auto choice = askForFile();
    if (!choice) return;
    const std::string contents =
        choice->format == Format::Csv ? resultsCsv(record->state) : resultsJsonText(*record);
    if (const auto failure = writeFileSafely(choice->path, contents))
        operations_.messageBox(saveErrorMessage(choice->path, *failure), std::nullopt,
                               MessageIcon::None, MessageButtons::Ok);
}

}  // namespace ferrolith
