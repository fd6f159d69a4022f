#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/input_variable.hpp"
#include "run/titles.hpp"

namespace ferrolith {

enum class MessageIcon { None, Information };
enum class MessageButtons { Ok, YesNo };  // with Yes and No, Yes is the default button
enum class MessageResult { Ok, Yes, No };

struct FileFilter {
    std::string name;     // "Text files"
    std::string pattern;  // "*.txt"
};

// How the Save As dialog is set up at every call.
struct SaveDialogSettings {
    std::string title;
    bool confirmOverwrite = true;  // ask before a chosen file that exists is replaced
    std::string defaultExtension;  // given to a name typed without one
    std::string initialFolder;
    std::vector<FileFilter> filters;  // the first is in effect when the dialog opens
    std::string fileName;             // the proposed name
};

// What the dialog returns: Cancel, or the chosen full path (possibly empty).
struct SaveDialogResult {
    bool cancelled = false;
    std::string fileName;
};

// Everything the run needs of the window. The window, the headless driver and the tests'
// recording fake each implement it.
class WindowOperations {
  public:
    virtual ~WindowOperations() = default;

    virtual std::string repetitionsText() = 0;
    virtual std::string sampleSizeText() = 0;
    virtual std::string paramText(InputVariable variable) = 0;
    // The chosen list item, or the empty text while nothing is chosen.
    virtual std::string distText(InputVariable variable) = 0;

    virtual std::string reportText() = 0;
    virtual void setReportText(const std::string& text) = 0;
    // Adds a piece at the end of the report as it stands now, including anything the user typed
    // into it, without reading and rewriting the whole text.
    virtual void appendReport(std::string_view piece) = 0;

    virtual void setProgressMin(float value) = 0;
    virtual void setProgressMax(float value) = 0;
    virtual void setProgressValue(float value) = 0;
    virtual float progressMax() = 0;
    virtual float progressValue() = 0;
    virtual void setProgressLabel(const std::string& caption) = 0;

    // Repaints and handles queued user input once, then returns.
    virtual void processEvents() = 0;
    // True once the user has asked to close the window; a run then stops at the next
    // repetition boundary without asking anything.
    virtual bool closeRequested() = 0;

    // Modal. A title of nullopt shows the application's title.
    virtual MessageResult messageBox(std::string_view prompt, std::optional<std::string_view> title,
                                     MessageIcon icon, MessageButtons buttons) = 0;

    virtual SaveDialogResult showSaveDialog(const SaveDialogSettings& settings) = 0;
    // The folder offered first by the Save As dialog.
    virtual std::string saveFolder() = 0;
};

}  // namespace ferrolith
