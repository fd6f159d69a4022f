#pragma once

#include <QString>

#include "session/dialogs.hpp"

class QFileDialog;
class QWidget;

namespace ferrolith {

// A filter entry as the file dialogs show it: "Text files (*.txt)".
QString qtNameFilter(const FileFilter& filter);

// Sets up a Save As (or Open) dialog: title, filters (the first in effect), default extension,
// starting folder with the proposed name, and the question before an existing file is replaced.
void configureSaveDialog(QFileDialog& dialog, const SaveDialogSettings& settings);

// Shows the dialog modally over parent; Cancel gives a cancelled result.
SaveDialogResult showFileDialog(QWidget* parent, const SaveDialogSettings& settings);

// The folder the Save As dialog offers first: programFolder when the user can write there,
// otherwise the user's documents folder (or home, when there is none).
QString saveFolderFor(const QString& programFolder);

}  // namespace ferrolith
