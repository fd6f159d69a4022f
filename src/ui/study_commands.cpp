#include "ui/study_commands.hpp"

#include <QAction>
#include <QComboBox>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include "run/safe_file_write.hpp"
#include "run/save_error_message.hpp"
#include "study/study_file.hpp"
#include "study/window_study.hpp"
#include "ui/save_dialog.hpp"

namespace ferrolith {

namespace {

constexpr const char* openTitle = "Open Study";
constexpr const char* saveTitle = "Save Study As";
const FileFilter studyFilter{"Study files", "*.json"};
const FileFilter allFilter{"All files", "*"};

// The one local file a drag carries, if that is all it carries.
std::optional<std::string> draggedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
    const QUrl url = data->urls().front();
    if (!url.isLocalFile()) return std::nullopt;
    return url.toLocalFile().toStdString();
}

void showStudy(const MainWindowControls& controls, const Study& study) {
    controls.txtRepititions->setText(QString::fromStdString(study.repetitions));
    controls.txtSampleSize->setText(QString::fromStdString(study.samples));
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        controls.txtParam[i]->setText(QString::fromStdString(study.parameters[i]));
        // An empty choice is no item selected, as at start-up.
        QComboBox* list = controls.cmbDist[i];
        list->setCurrentIndex(study.distributions[i].empty()
                                  ? -1
                                  : list->findText(QString::fromStdString(study.distributions[i])));
    }
}

}  // namespace

StudyCommands::StudyCommands(QWidget& window, const MainWindowControls& controls,
                             QtWindowOperations& operations, SimulationRun& run)
    : QObject(&window),
      window_(window),
      controls_(controls),
      operations_(operations),
      run_(run),
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
        showStudy(controls_, study);
        run_.setSystemRandomSeed(study.seed);
        return true;
    } catch (const StudyFileError& e) {
        operations_.messageBox(e.what(), std::nullopt, MessageIcon::None, MessageButtons::Ok);
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
    if (openDialogHook_) return openDialogHook_();
    QFileDialog dialog(&window_, QString::fromUtf8(openTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({qtNameFilter(studyFilter), qtNameFilter(allFilter)});
    dialog.setDirectory(QString::fromStdString(operations_.saveFolder()));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

void StudyCommands::openFromDialog() {
    if (const auto path = askForStudy()) openStudy(*path);
}

void StudyCommands::saveAs() {
    const SaveDialogSettings settings{
        saveTitle, true, "json", operations_.saveFolder(), {studyFilter, allFilter}, "study",
    };
    const SaveDialogResult chosen = operations_.showSaveDialog(settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    const Study study = studyOf(operations_, run_.repeatingSeed());
    if (const auto failure = writeStudyFile(chosen.fileName, study))
        operations_.messageBox(saveErrorMessage(chosen.fileName, *failure), std::nullopt,
                               MessageIcon::None, MessageButtons::Ok);
}

}  // namespace ferrolith
