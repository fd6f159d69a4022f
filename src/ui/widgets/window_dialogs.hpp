#pragma once

#include <functional>

#include "session/dialogs.hpp"
#include "ui/widgets/folder_memory.hpp"

class QPrinter;
class QWidget;

namespace ferrolith {

// Every message box and file dialog of the windows, shown modally over a window. Tests answer
// them all in one way: a hook for message boxes and one for file dialogs, each given what the
// user would see.
class WindowDialogs : public Dialogs {
  public:
    using MessageBoxHook =
        std::function<MessageResult(std::string_view prompt, std::optional<std::string_view> title,
                                    MessageIcon icon, MessageButtons buttons)>;
    using FileDialogHook = std::function<SaveDialogResult(const SaveDialogSettings& settings)>;
    // Sets the printer up as the user would, or returns false for Cancel.
    using PrintDialogHook = std::function<bool(QPrinter& printer)>;

    // parent: the window the dialogs belong to unless a call names another.
    explicit WindowDialogs(QWidget& parent);

    // Answer in place of the user; an empty hook brings back the real dialogs.
    void setMessageBoxHook(MessageBoxHook hook) { messageBoxHook_ = std::move(hook); }
    void setFileDialogHook(FileDialogHook hook) { fileDialogHook_ = std::move(hook); }
    void setPrintDialogHook(PrintDialogHook hook) { printDialogHook_ = std::move(hook); }

    MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                             MessageIcon icon, MessageButtons buttons) override;
    SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) override;
    std::string saveFolder() override;

    MessageResult messageBoxOver(QWidget* window, std::string_view prompt,
                                 std::optional<std::string_view> title, MessageIcon icon,
                                 MessageButtons buttons);
    SaveDialogResult fileDialogOver(QWidget* window, const SaveDialogSettings& settings);
    // A file dialog for a kind of file: it starts where that kind was last chosen, and remembers
    // where the user goes. settings.initialFolder is set here; a null window is the parent.
    SaveDialogResult askForFile(QWidget* window, FileKind kind, SaveDialogSettings settings);
    std::string startFolder(FileKind kind) const { return folders_.startFolder(kind); }
    // The print dialog for printer over window: false when the user cancels.
    bool askToPrint(QWidget* window, QPrinter& printer);
    // A one-line message with OK alone.
    void tell(QWidget* window, std::string_view message);

  private:
    QWidget& parent_;
    MessageBoxHook messageBoxHook_;
    FileDialogHook fileDialogHook_;
    PrintDialogHook printDialogHook_;
    FolderMemory folders_;
};

}  // namespace ferrolith
