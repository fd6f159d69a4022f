#include "ui/widgets/window_dialogs.hpp"

#include <QCoreApplication>
#include <QPrintDialog>

#include "ui/widgets/message_box.hpp"
#include "ui/widgets/save_dialog.hpp"

namespace ferrolith {

WindowDialogs::WindowDialogs(QWidget& parent) : parent_(parent) {}

MessageResult WindowDialogs::messageBox(std::string_view prompt,
                                        std::optional<std::string_view> title, MessageIcon icon,
                                        MessageButtons buttons) {
    return messageBoxOver(&parent_, prompt, title, icon, buttons);
}

SaveDialogResult WindowDialogs::showSaveDialog(const SaveDialogSettings& settings) {
    return fileDialogOver(&parent_, settings);
}

std::string WindowDialogs::saveFolder() {
    return saveFolderFor(QCoreApplication::applicationDirPath()).toStdString();
}

MessageResult WindowDialogs::messageBoxOver(QWidget* window, std::string_view prompt,
                                            std::optional<std::string_view> title, MessageIcon icon,
                                            MessageButtons buttons) {
    if (messageBoxHook_) return messageBoxHook_(prompt, title, icon, buttons);
    return showMessageBox(window, prompt, title, icon, buttons);
}

SaveDialogResult WindowDialogs::fileDialogOver(QWidget* window,
                                               const SaveDialogSettings& settings) {
    if (fileDialogHook_) return fileDialogHook_(settings);
    return showFileDialog(window, settings);
}

SaveDialogResult WindowDialogs::askForFile(QWidget* window, FileKind kind,
                                           SaveDialogSettings settings) {
    settings.initialFolder = folders_.startFolder(kind);
    SaveDialogResult chosen = fileDialogOver(window ? window : &parent_, settings);
    if (!chosen.cancelled) folders_.remember(kind, chosen.fileName);
    return chosen;
}

bool WindowDialogs::askToPrint(QWidget* window, QPrinter& printer) {
    if (printDialogHook_) return printDialogHook_(printer);
    QPrintDialog dialog(&printer, window ? window : &parent_);
    return dialog.exec() == QDialog::Accepted;
}

void WindowDialogs::tell(QWidget* window, std::string_view message) {
    messageBoxOver(window, message, std::nullopt, MessageIcon::None, MessageButtons::Ok);
}

}  // namespace ferrolith
