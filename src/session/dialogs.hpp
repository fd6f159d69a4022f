#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ferrolith {

enum class MessageIcon { None, Information };
enum class MessageButtons { Ok, YesNo };  // with Yes and No, Yes is the default button
enum class MessageResult { Ok, Yes, No };

struct FileFilter {
    std::string name;     // "Text files"
    std::string pattern;  // "*.txt"
};

// How a file dialog is set up at every call: Save As, or Open for a file that exists.
struct SaveDialogSettings {
    std::string title;
    bool confirmOverwrite = true;  // ask before a chosen file that exists is replaced
    std::string defaultExtension;  // given to a name typed without one
    std::string initialFolder;
    std::vector<FileFilter> filters;  // the first is in effect when the dialog opens
    std::string fileName;             // the proposed name
    bool open = false;                // choose an existing file to read instead
};

// What the dialog returns: Cancel, or the chosen full path (possibly empty) and the index of the
// filter in effect.
struct SaveDialogResult {
    bool cancelled = false;
    std::string fileName;
    std::size_t filter = 0;
};

// The modal questions a program asks its user. The window shows real dialogs, the driver answers
// from its options, and tests answer from scripts.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Modal. A title of nullopt shows the application's title.
    virtual MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                                     MessageIcon icon, MessageButtons buttons) = 0;
    virtual SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) = 0;
    // The folder the report's Save As dialog offers first.
    virtual std::string saveFolder() = 0;
};

}  // namespace ferrolith
