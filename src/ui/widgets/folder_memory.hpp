#pragma once

#include <QString>
#include <array>
#include <string>

namespace ferrolith {

// The kinds of file whose dialogs remember where the user went. The report's Save As is not one
// of them: it always starts in the program's folder.
enum class FileKind { Study, ChartPicture, Results, Record };

// Where each kind of file's dialogs start: the folder of the file last chosen for that kind in
// this session, and before any, the working directory when the user can write there, otherwise
// the documents folder (or home).
class FolderMemory {
  public:
    std::string startFolder(FileKind kind) const;
    // chosenFile: a path a dialog returned; its folder becomes the kind's start.
    void remember(FileKind kind, const std::string& chosenFile);

  private:
    std::array<QString, 4> folders_;
};

}  // namespace ferrolith
