#include "ui/main/study_commands.hpp"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <filesystem>

#include "files/safe_file_write.hpp"
#include "files/study_file.hpp"
#include "report/save_error_message.hpp"

namespace ferrolith {

namespace {

constexpr const char* openTitle = "Open Study";
constexpr const char* saveTitle = "Save Study As";
const FileFilter studyFilter{"Study files", std::string("*.") + studyExtension};
// Opened, studies saved under an older name show too.
const FileFilter openFilter{"Study files", studyFilter.pattern + " *.json"};
const FileFilter allFilter{"All files", "*"};

// The one local file a drag carries, if that is all it carries.
std::optional<std::string> draggedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    return url.toLocalFile().toStdString();
}

// "beam.ferrolith" of "/home/me/beam.ferrolith".
std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

StudyCommands::StudyCommands(QWidget& window, MainWindowView& view, WindowDialogs& dialogs,
                             RunSeeds& seeds, WindowAnalysis& analysis)
    : QObject(&window),
      view_(view),
      dialogs_(dialogs),
      seeds_(seeds),
      analysis_(analysis),
      open_(new QAction(QStringLiteral("Open Study..."), this)),
      save_(new QAction(QStringLiteral("Save Study As..."), this)) {
    open_->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    save_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    for (QAction* action : {open_, save_}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window.addAction(action);
    }
    connect(open_, &QAction::triggered, this, &StudyCommands::openFromDialog);
    connect(save_, &QAction::triggered, this, &StudyCommands::saveAs);

    // The text boxes take drops of their own; a file dropped on them opens as a study too.
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->acceptDrops()) child->installEventFilter(this);
}

bool StudyCommands::openStudy(const std::string& path) {
    try {
        const Study study = readStudyFile(path);
        view_.showStudy(study);
        seeds_.fixed = study.seed;
        // No record or export may mix the last run with the inputs now shown.
        analysis_.load(Analysis(study, fileNameOf(path)));
        return true;
    } catch (const StudyFileError& e) {
        dialogs_.messageBox(e.what(), std::nullopt, MessageIcon::None, MessageButtons::Ok);
        return false;
    }
}

bool StudyCommands::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!draggedFile(drag->mimeData())) break;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const auto file = draggedFile(drop->mimeData());
            if (!file) break;
            drop->acceptProposedAction();
            openStudy(*file);
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

std::optional<std::string> StudyCommands::askForStudy() {
    SaveDialogSettings settings{
        openTitle, false, {}, {}, {openFilter, allFilter}, {},
    };
    settings.open = true;
    const SaveDialogResult chosen = dialogs_.askForFile(nullptr, FileKind::Study, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return std::nullopt;
    return chosen.fileName;
}

void StudyCommands::openFromDialog() {
    if (const auto path = askForStudy()) openStudy(*path);
}

void StudyCommands::saveAs() {
    const SaveDialogSettings settings{
        saveTitle, true, studyExtension, {}, {studyFilter, allFilter}, "study",
    };
    const SaveDialogResult chosen = dialogs_.askForFile(nullptr, FileKind::Study, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    Study study = view_.study(seeds_.repeating());
    copyBasis(analysis_.current().study(), study);
    if (const auto failure = writeStudyFile(chosen.fileName, study))
        dialogs_.messageBox(saveErrorMessage(chosen.fileName, *failure), std::nullopt,
                            MessageIcon::None, MessageButtons::Ok);
    else
        analysis_.setStudyName(fileNameOf(chosen.fileName));
}

}  // namespace ferrolith
