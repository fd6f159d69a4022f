#include "ui/widgets/message_box.hpp"

#include <QMessageBox>

#include "report/message_text.hpp"
#include "report/titles.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

void configureMessageBox(QMessageBox& box, std::string_view prompt,
                         std::optional<std::string_view> title, MessageIcon icon,
                         MessageButtons buttons) {
    box.setTextFormat(Qt::PlainText);
    // The fixed texts' CR LF pairs break lines; any other control character is shown escaped.
    box.setText(toWidgetText(escapeControlCharacters(prompt, LineBreaks::Keep)));
    box.setWindowTitle(toWidgetText(title.value_or(applicationTitle)));
    box.setIcon(icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::NoIcon);
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
}

MessageResult showMessageBox(QWidget* parent, std::string_view prompt,
                             std::optional<std::string_view> title, MessageIcon icon,
                             MessageButtons buttons) {
    QMessageBox box(parent);
    configureMessageBox(box, prompt, title, icon, buttons);
    box.exec();
    if (buttons == MessageButtons::Ok) return MessageResult::Ok;
    return box.clickedButton() == box.button(QMessageBox::Yes) ? MessageResult::Yes
                                                               : MessageResult::No;
}

}  // namespace ferrolith
