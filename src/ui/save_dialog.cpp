#include "ui/save_dialog.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ferrolith {
namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

QString qtNameFilter(const FileFilter& filter) {
    return QStringLiteral("%1 (%2)").arg(fromStd(filter.name), fromStd(filter.pattern));
}

void configureSaveDialog(QFileDialog& dialog, const SaveDialogSettings& settings) {
    dialog.setWindowTitle(fromStd(settings.title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
    QStringList filters;
    for (const FileFilter& filter : settings.filters) filters << qtNameFilter(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(fromStd(settings.defaultExtension));
    dialog.setDirectory(fromStd(settings.initialFolder));
    dialog.selectFile(fromStd(settings.fileName));
}

SaveDialogResult showSaveDialog(QWidget* parent, const SaveDialogSettings& settings) {
    QFileDialog dialog(parent);
    configureSaveDialog(dialog, settings);
    if (dialog.exec() != QDialog::Accepted)
        return SaveDialogResult{.cancelled = true, .fileName = {}};
    return SaveDialogResult{.cancelled = false,
                            .fileName = dialog.selectedFiles().value(0).toStdString()};
}

QString saveFolderFor(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable()) return folder.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace ferrolith
