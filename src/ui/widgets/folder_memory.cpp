#include "ui/widgets/folder_memory.hpp"

#include <QDir>
#include <QFileInfo>

#include "ui/widgets/save_dialog.hpp"

namespace ferrolith {

std::string FolderMemory::startFolder(FileKind kind) const {
    const QString& last = folders_[static_cast<std::size_t>(kind)];
    // A folder removed since it was used is forgotten.
    if (!last.isEmpty() && QFileInfo(last).isDir()) return last.toStdString();
    return saveFolderFor(QDir::currentPath()).toStdString();
}

void FolderMemory::remember(FileKind kind, const std::string& chosenFile) {
    if (chosenFile.empty()) return;
    folders_[static_cast<std::size_t>(kind)] =
        QFileInfo(QString::fromStdString(chosenFile)).absolutePath();
}

}  // namespace ferrolith
