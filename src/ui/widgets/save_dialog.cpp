#include "ui/widgets/save_dialog.hpp"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ferrolith {
namespace {

QString fromStd(const std::string& text) { return QString::fromStdString(text); }

// The extension a filter of one "*.ext" pattern gives; others give the settings' own.
QString extensionOf(const FileFilter& filter, const SaveDialogSettings& settings) {
    const std::string& p = filter.pattern;
    const bool oneExtension =
        p.rfind("*.", 0) == 0 && p.find_first_of(" ;*", 2) == std::string::npos;
    return fromStd(oneExtension ? p.substr(2) : settings.defaultExtension);
}

}  // namespace

QString qtNameFilter(const FileFilter& filter) {
    return QStringLiteral("%1 (%2)").arg(fromStd(filter.name), fromStd(filter.pattern));
}

void configureSaveDialog(QFileDialog& dialog, const SaveDialogSettings& settings) {
    dialog.setWindowTitle(fromStd(settings.title));
    dialog.setAcceptMode(settings.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(settings.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
    QStringList filters;
    for (const FileFilter& filter : settings.filters) filters << qtNameFilter(filter);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    dialog.setDefaultSuffix(fromStd(settings.defaultExtension));
    dialog.setDirectory(fromStd(settings.initialFolder));
    dialog.selectFile(fromStd(settings.fileName));
    // A name typed without an extension gets the one of the filter in effect.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, settings, filters](const QString& chosen) {
                         const auto i = filters.indexOf(chosen);
                         if (i >= 0)
                             dialog.setDefaultSuffix(extensionOf(
                                 settings.filters[static_cast<std::size_t>(i)], settings));
                     });
}

SaveDialogResult showFileDialog(QWidget* parent, const SaveDialogSettings& settings) {
    QFileDialog dialog(parent);
    configureSaveDialog(dialog, settings);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return SaveDialogResult{.cancelled = true, .fileName = {}, .filter = 0};
    const auto filter = dialog.nameFilters().indexOf(dialog.selectedNameFilter());
    return SaveDialogResult{.cancelled = false,
                            .fileName = dialog.selectedFiles().front().toStdString(),
                            .filter = static_cast<std::size_t>(std::max<qsizetype>(filter, 0))};
}

QString saveFolderFor(const QString& programFolder) {
    const QFileInfo folder(programFolder);
    if (folder.isDir() && folder.isWritable()) return folder.absoluteFilePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

}  // namespace ferrolith
