#pragma once

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <optional>
#include <string>
#include <vector>

#include "support/report_helpers.hpp"
#include "ui/frmMain.hpp"
#include "ui/widget_text.hpp"

namespace ferrolith::test {

struct ShownMessage {
    std::string prompt;
    std::optional<std::string> title;
    MessageIcon icon;
    MessageButtons buttons;
};

// The real window after its load step, with message boxes and the Save As dialog answered by
// the test: OK boxes are acknowledged, the save question gets saveAnswer, the dialog savePath.
class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        window.Form_Load();
        window.show();
        window.operations().setMessageBoxHook([this](std::string_view prompt,
                                                     std::optional<std::string_view> title,
                                                     MessageIcon icon, MessageButtons buttons) {
            messages.push_back({std::string(prompt),
                                title ? std::optional<std::string>(*title) : std::nullopt, icon,
                                buttons});
            return buttons == MessageButtons::Ok ? MessageResult::Ok : saveAnswer;
        });
        window.operations().setSaveDialogHook([this](const SaveDialogSettings& settings) {
            dialogs.push_back(settings);
            return SaveDialogResult{.cancelled = savePath.empty(), .fileName = savePath};
        });
    }

    std::string report() { return window.operations().reportText(); }

    frmMain window;
    const MainWindowControls& c = window.controls();
    std::vector<ShownMessage> messages;
    std::vector<SaveDialogSettings> dialogs;
    MessageResult saveAnswer = MessageResult::No;
    std::string savePath;
};

// What the report box itself shows, without showing anything held back first.
inline std::string shownReport(const MainWindowControls& c) {
    return fromWidgetText(c.txtReport->toPlainText());
}

using testing::countLineEnds;
using testing::countOf;

}  // namespace ferrolith::test
