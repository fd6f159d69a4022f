#include "cli/driver_observer.hpp"

#include <unistd.h>

#include <filesystem>

#include "report/message_text.hpp"
#include "report/titles.hpp"
#include "session/save_report.hpp"

namespace ferrolith {

DriverObserver::DriverObserver(std::optional<std::string> outputFile, std::ostream& messages,
                               bool showProgress, ProgressLine::Now now)
    : outputFile_(std::move(outputFile)),
      messages_(messages),
      progress_(messages, showProgress, std::move(now)) {}

void DriverObserver::runStarted(const RunResult&) { progress_.start(); }

void DriverObserver::repetitionFinished(const RunResult& run) {
    progress_.advanced(repetitionCount(run));
}

void DriverObserver::methodStarted() { progress_.start(); }

void DriverObserver::methodAdvanced(const ProgressCount& count) { progress_.advanced(count); }

void DriverObserver::methodEnded() { progress_.erase(); }

bool progressShown(bool quiet) { return !quiet && ::isatty(STDERR_FILENO) == 1; }

void DriverObserver::runEnded(const RunResult&) { progress_.erase(); }

MessageResult DriverObserver::messageBox(std::string_view prompt,
                                         std::optional<std::string_view> title, MessageIcon,
                                         MessageButtons buttons) {
    progress_.erase();
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
