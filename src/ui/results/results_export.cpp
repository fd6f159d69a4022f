#include "ui/results/results_export.hpp"

#include "files/results_csv.hpp"
#include "files/results_json.hpp"
#include "files/safe_file_write.hpp"
#include "report/save_error_message.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

namespace {

// The filters in the order the dialog offers them; the first is in effect when it opens.
enum Filter : std::size_t { Json, Csv };

}  // namespace

ResultsExport::ResultsExport(ResultsWindow& window, const WindowAnalysis& analysis,
                             WindowDialogs& dialogs)
    : QObject(&window), window_(window), analysis_(analysis), dialogs_(dialogs) {
    connect(&window, &ResultsWindow::exportRequested, this, &ResultsExport::exportResults);
}

void ResultsExport::exportResults() {
    const Analysis& analysis = analysis_.current();
    if (!analysis.design()) {
        dialogs_.tell(&window_, results_text::noResultsToExport);
        return;
    }
    const SaveDialogSettings settings{
        results_text::exportTitle,
        true,
        "json",
        {},
        {{results_text::jsonFilterName, "*.json"}, {results_text::csvFilterName, "*.csv"}},
        "results",
    };
    const SaveDialogResult chosen = dialogs_.askForFile(&window_, FileKind::Results, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    const std::string contents =
        chosen.filter == Csv ? resultsCsv(analysis) : resultsJsonText(analysis);
    if (const auto failure = writeFileSafely(chosen.fileName, contents))
        dialogs_.tell(&window_, saveErrorMessage(chosen.fileName, *failure));
}

}  // namespace ferrolith
