#include "ui/qt_window_operations.hpp"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>
#include <cmath>

#include "ui/fit_caption.hpp"
#include "ui/message_box.hpp"
#include "ui/save_dialog.hpp"
#include "ui/widget_text.hpp"

namespace ferrolith {
namespace {

// Far inside int's range, so that Max - Min never overflows in the bar's arithmetic.
int barUnits(float value) {
    constexpr float limit = 1.0e9f;
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lrint(std::clamp(value, -limit, limit)));
}

std::size_t slot(InputVariable variable) { return static_cast<std::size_t>(variable); }

}  // namespace

QtWindowOperations::QtWindowOperations(QWidget& window, const MainWindowControls& controls)
    : window_(window),
      controls_(controls),
      progressMin_(static_cast<float>(controls.pb->minimum())),
      progressMax_(static_cast<float>(controls.pb->maximum())),
      progressValue_(static_cast<float>(controls.pb->value())) {}

std::string QtWindowOperations::repetitionsText() {
    return controls_.txtRepititions->text().toStdString();
}

std::string QtWindowOperations::sampleSizeText() {
    return controls_.txtSampleSize->text().toStdString();
}

std::string QtWindowOperations::paramText(InputVariable variable) {
    return controls_.txtParam[slot(variable)]->text().toStdString();
}

std::string QtWindowOperations::distText(InputVariable variable) {
    return controls_.cmbDist[slot(variable)]->currentText().toStdString();
}

std::string QtWindowOperations::reportText() {
    showPendingReport();
    return fromWidgetText(controls_.txtReport->toPlainText());
}

void QtWindowOperations::setReportText(const std::string& text) {
    pendingReport_.clear();
    controls_.txtReport->setPlainText(toWidgetText(text));
}

void QtWindowOperations::appendReport(std::string_view piece) {
    pendingReport_ += toWidgetText(piece);
}

void QtWindowOperations::setProgressMin(float value) {
    progressMin_ = value;
    progressPending_ = true;
}

void QtWindowOperations::setProgressMax(float value) {
    progressMax_ = value;
    progressPending_ = true;
}

void QtWindowOperations::setProgressValue(float value) {
    progressValue_ = value;
    progressPending_ = true;
}

void QtWindowOperations::setProgressLabel(const std::string& caption) {
    pendingLabel_ = QString::fromStdString(caption);
}

void QtWindowOperations::showPending() {
    showPendingReport();
    if (progressPending_) showProgress();
    if (pendingLabel_) {
        controls_.lblBar->setText(*pendingLabel_);
        fitCaption(*controls_.lblBar);
        pendingLabel_.reset();
    }
    lastShown_ = Clock::now();
}

void QtWindowOperations::showPendingReport() {
    if (pendingReport_.isEmpty()) return;
    // Inserted at the end as it stands now, after anything the user typed into the box.
    QTextCursor end(controls_.txtReport->document());
    end.movePosition(QTextCursor::End);
    end.insertText(pendingReport_);
    pendingReport_.clear();
    QScrollBar* bar = controls_.txtReport->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void QtWindowOperations::showProgress() {
    const int low = barUnits(progressMin_);
    const int high = std::max(low, barUnits(progressMax_));
    controls_.pb->setRange(low, high);
    controls_.pb->setValue(std::clamp(barUnits(progressValue_), low, high));
    progressPending_ = false;
}

void QtWindowOperations::processEvents() {
    if (Clock::now() - lastShown_ >= refreshInterval_) showPending();
    QCoreApplication::processEvents();
}

MessageResult QtWindowOperations::messageBox(std::string_view prompt,
                                             std::optional<std::string_view> title,
                                             MessageIcon icon, MessageButtons buttons) {
    showPending();
    if (messageBoxHook_) return messageBoxHook_(prompt, title, icon, buttons);
    return showMessageBox(&window_, prompt, title, icon, buttons);
}

SaveDialogResult QtWindowOperations::showSaveDialog(const SaveDialogSettings& settings) {
    showPending();
    if (saveDialogHook_) return saveDialogHook_(settings);
    return ferrolith::showSaveDialog(&window_, settings);
}

std::string QtWindowOperations::saveFolder() {
    return saveFolderFor(QCoreApplication::applicationDirPath()).toStdString();
}

}  // namespace ferrolith
