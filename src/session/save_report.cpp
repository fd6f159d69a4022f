#include "session/save_report.hpp"

#include "files/safe_file_write.hpp"
#include "report/save_error_message.hpp"
#include "report/titles.hpp"

namespace ferrolith {

SaveOutcome saveReport(Dialogs& dialogs, std::string_view text) {
    for (;;) {
        // Set up afresh at every showing, proposing the same name again.
        const SaveDialogSettings settings{
            "Save As",
            true,
            "txt",
            dialogs.saveFolder(),
            {{"Text files", "*.txt"}, {"All files", "*"}},
            "VKM1",
        };
        const SaveDialogResult chosen = dialogs.showSaveDialog(settings);
        if (chosen.cancelled) return SaveOutcome::Cancelled;
        if (chosen.fileName.empty()) {
            dialogs.messageBox("Please Name a File", fileNameMessageTitle, MessageIcon::Information,
                               MessageButtons::Ok);
            continue;
        }
        // The report as the box holds it now, with its CR LF line ends and nothing added.
        const auto failure = writeFileSafely(chosen.fileName, text);
        if (!failure) return SaveOutcome::Saved;
        dialogs.messageBox(saveErrorMessage(chosen.fileName, *failure), std::nullopt,
                           MessageIcon::None, MessageButtons::Ok);
        return SaveOutcome::Failed;
    }
}

}  // namespace ferrolith
