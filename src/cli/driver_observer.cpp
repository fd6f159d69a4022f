#include "cli/driver_observer.hpp"

#include <filesystem>

#include "report/message_text.hpp"
#include "session/save_report.hpp"
#include "report/titles.hpp"

namespace ferrolith {

DriverObserver::DriverObserver(std::optional<std::string> outputFile, std::ostream& messages)
    : outputFile_(std::move(outputFile)), messages_(messages) {}

MessageResult DriverObserver::messageBox(std::string_view prompt,
                                         std::optional<std::string_view> title, MessageIcon,
                                         MessageButtons buttons) {
    messages_ << title.value_or(applicationTitle) << ": " << oneLineMessage(prompt) << '\n';
    if (buttons == MessageButtons::Ok) return MessageResult::Ok;
    return outputFile_ ? MessageResult::Yes : MessageResult::No;
}

SaveOutcome DriverObserver::saveReport(const RunResult& run) {
    return ferrolith::saveReport(*this, run.report);
}

SaveDialogResult DriverObserver::showSaveDialog(const SaveDialogSettings&) {
    if (!outputFile_) return {true, {}};
    return {false, *outputFile_};
}

// The driver shows no dialog; the folder, which may since have been removed, is never asked for.
std::string DriverObserver::saveFolder() { return "."; }

}  // namespace ferrolith
