#pragma once

#include <optional>
#include <string_view>

#include "session/dialogs.hpp"

class QMessageBox;
class QWidget;

namespace ferrolith {

// Sets up box with the prompt, the title (the application's title when there is none), the icon
// and the buttons; with Yes and No, Yes is the default.
void configureMessageBox(QMessageBox& box, std::string_view prompt,
                         std::optional<std::string_view> title, MessageIcon icon,
                         MessageButtons buttons);

// Shows a modal box over parent and returns the button pressed. Closing a Yes/No box counts as
// No.
MessageResult showMessageBox(QWidget* parent, std::string_view prompt,
                             std::optional<std::string_view> title, MessageIcon icon,
                             MessageButtons buttons);

}  // namespace ferrolith
