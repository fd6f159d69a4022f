#include "cli/terminal_window.hpp"

#include "run/message_text.hpp"

namespace ferrolith {

TerminalInputs::TerminalInputs() {
    for (std::size_t i = 0; i < inputVariableCount; ++i)
        paramTexts[i] = std::string(inputVariables[i].defaultText);
}

TerminalWindow::TerminalWindow(TerminalInputs inputs, std::ostream& messages)
    : inputs_(std::move(inputs)), messages_(messages) {}

std::string TerminalWindow::paramText(InputVariable v) {
    return inputs_.paramTexts[static_cast<std::size_t>(v)];
}

std::string TerminalWindow::distText(InputVariable v) {
    return inputs_.distChoices[static_cast<std::size_t>(v)];
}

MessageResult TerminalWindow::messageBox(std::string_view prompt,
                                         std::optional<std::string_view> title, MessageIcon,
                                         MessageButtons buttons) {
    messages_ << title.value_or(applicationTitle) << ": " << oneLineMessage(prompt) << '\n';
    if (buttons == MessageButtons::Ok) return MessageResult::Ok;
    return inputs_.outputFile ? MessageResult::Yes : MessageResult::No;
}

SaveDialogResult TerminalWindow::showSaveDialog(const SaveDialogSettings&) {
    if (!inputs_.outputFile) return {true, {}};
    return {false, *inputs_.outputFile};
}

// No dialog shows it: a name is taken as given, a relative one from the working folder, so the
// folder need not exist (it may have been removed under the driver).
std::string TerminalWindow::saveFolder() { return "."; }

}  // namespace ferrolith
