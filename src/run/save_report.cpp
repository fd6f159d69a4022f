#include "run/save_report.hpp"

#include "run/message_text.hpp"
#include "run/safe_file_write.hpp"

namespace ferrolith {

SaveOutcome saveReport(WindowOperations& window) {
    for (;;) {
        // Set up afresh at every showing, proposing the same name again.
        const SaveDialogSettings settings{
            "Save As",
            true,
            "txt",
            window.saveFolder(),
            {{"Text files", "*.txt"}, {"All files", "*"}},
            "VKM1",
        };
        const SaveDialogResult chosen = window.showSaveDialog(settings);
        if (chosen.cancelled) return SaveOutcome::Cancelled;
        if (chosen.fileName.empty()) {
            window.messageBox("Please Name a File", fileNameMessageTitle, MessageIcon::Information,
                              MessageButtons::Ok);
            continue;
        }
        // The report as the box holds it now, with its CR LF line ends and nothing added.
        const auto failure = writeFileSafely(chosen.fileName, window.reportText());
        if (!failure) return SaveOutcome::Saved;
        window.messageBox("Error while saving file " +
                              escapeControlCharacters(chosen.fileName, LineBreaks::Escape) +
                              "\r\n" + *failure,
                          std::nullopt, MessageIcon::None, MessageButtons::Ok);
        return SaveOutcome::Failed;
    }
}

}  // namespace ferrolith
