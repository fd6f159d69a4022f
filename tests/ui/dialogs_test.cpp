#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/widgets/message_box.hpp"
#include "ui/widgets/save_dialog.hpp"

namespace ferrolith::test {
namespace {

// Runs act on the modal dialog as soon as it is up.
template <typename Dialog>
void whenShown(std::function<void(Dialog&)> act) {
    QTimer::singleShot(0, [act] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
}

SaveDialogSettings saveSettings(const QString& folder) {
    return {
        "Save As", true, "txt", folder.toStdString(), {{"Text files", "*.txt"}, {"All files", "*"}},
        "VKM1"};
}

TEST(MessageBoxes, YesNoBoxHasYesAsDefaultAndReturnsTheButton) {
    whenShown<QMessageBox>([](QMessageBox& box) {
        EXPECT_EQ(box.text(), "Simulation Complete\nSave File?");
        EXPECT_EQ(box.windowTitle(), "VKM");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
        box.button(QMessageBox::No)->click();
    });
    EXPECT_EQ(showMessageBox(nullptr, "Simulation Complete\r\nSave File?", "VKM", MessageIcon::None,
                             MessageButtons::YesNo),
              MessageResult::No);

    whenShown<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
    EXPECT_EQ(showMessageBox(nullptr, "Save?", "VKM", MessageIcon::None, MessageButtons::YesNo),
              MessageResult::Yes);
}

TEST(MessageBoxes, OkBoxCarriesTheApplicationTitleWhenItHasNone) {
    QMessageBox box;
    configureMessageBox(box, "Poisson Parameter < 10", std::nullopt, MessageIcon::None,
                        MessageButtons::Ok);
    EXPECT_EQ(box.text(), "Poisson Parameter < 10");
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.windowTitle(), "Pellox");
    EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);

    configureMessageBox(box, "Please Name a File", "Corvantis", MessageIcon::Information,
                        MessageButtons::Ok);
    EXPECT_EQ(box.windowTitle(), "Corvantis");
    EXPECT_EQ(box.icon(), QMessageBox::Information);

    configureMessageBox(box, "Error while saving file a\nb\x1b[2J\r\nNo such file or directory",
                        std::nullopt, MessageIcon::None, MessageButtons::Ok);
    EXPECT_EQ(box.text(), "Error while saving file a\\nb\\x1b[2J\nNo such file or directory");

    whenShown<QMessageBox>([](QMessageBox& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    EXPECT_EQ(showMessageBox(nullptr, "Error in Data", std::nullopt, MessageIcon::None,
                             MessageButtons::Ok),
              MessageResult::Ok);
}

TEST(SaveDialog, IsSetUpFromTheSettings) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFileDialog dialog;
    configureSaveDialog(dialog, saveSettings(folder.path()));
    EXPECT_EQ(dialog.windowTitle(), "Save As");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.nameFilters(), QStringList({"Text files (*.txt)", "All files (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Text files (*.txt)");
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_EQ(QDir(dialog.directory()), QDir(folder.path()));
    EXPECT_EQ(dialog.selectedFiles(), QStringList({folder.filePath("VKM1.txt")}));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
}

TEST(SaveDialog, OpensAnExistingFileWhenAskedTo) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SaveDialogSettings settings = saveSettings(folder.path());
    settings.open = true;
    QFileDialog dialog;
    configureSaveDialog(dialog, settings);
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.nameFilters(), QStringList({"Text files (*.txt)", "All files (*)"}));
}

TEST(SaveDialog, ReturnsTheChosenPathOrCancel) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    whenShown<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(showFileDialog(nullptr, saveSettings(folder.path())).cancelled);

    whenShown<QFileDialog>([](QFileDialog& dialog) {
        dialog.selectFile("report");
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    const SaveDialogResult chosen = showFileDialog(nullptr, saveSettings(folder.path()));
    EXPECT_FALSE(chosen.cancelled);
    EXPECT_EQ(chosen.fileName, folder.filePath("report.txt").toStdString());
    EXPECT_EQ(chosen.filter, 0u);

    whenShown<QFileDialog>([](QFileDialog& dialog) {
        dialog.selectNameFilter("All files (*)");
        dialog.selectFile("report.log");
        QMetaObject::invokeMethod(&dialog, "accept");
    });
    const SaveDialogResult second = showFileDialog(nullptr, saveSettings(folder.path()));
    EXPECT_EQ(second.fileName, folder.filePath("report.log").toStdString());
    EXPECT_EQ(second.filter, 1u);
}

}  // namespace
}  // namespace ferrolith::test
