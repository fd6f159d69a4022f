#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <memory>

#include "files/study_file.hpp"
#include "support/bad_study_texts.hpp"
#include "support/file_test_support.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"
#include "ui/main/report_context_menu.hpp"
#include "ui/results/project_form.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using testing::withoutTiming;

// What a study sets in the window, as the window shows it.
struct Inputs {
    QString repetitions, samples;
    std::array<QString, inputVariableCount> parameters;
    std::array<int, inputVariableCount> choices;
    std::optional<std::uint64_t> seed;
    bool operator==(const Inputs&) const = default;
};

class StudyCommandsTest : public WindowTest {
  protected:
    Inputs inputs() {
        Inputs now{
            c.txtRepititions->text(), c.txtSampleSize->text(), {}, {}, window.seeds().repeating()};
        for (std::size_t i = 0; i < inputVariableCount; ++i) {
            now.parameters[i] = c.txtParam[i]->text();
            now.choices[i] = c.cmbDist[i]->currentIndex();
        }
        return now;
    }

    static Study sampleStudy() {
        Study study;
        study.repetitions = "3";
        study.samples = "250";
        study.parameters = {"4.5,0.1", "80,5", "230,8", "22,2", "2.5,0.2", "12,2", "3,1"};
        study.distributions = {"Log-Normal", "", "Gumbel", "Gamma", "", "Poisson", "Normal"};
        study.seed = 77;
        return study;
    }

    TempPath file{"window-study.json"};
};

void dropOn(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPoint at(2, 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

TEST_F(StudyCommandsTest, OpenedStudyFillsTheInputsAndRunsAsTheDriverRunsIt) {
    ASSERT_EQ(writeStudyFile(file.path, sampleStudy()), std::nullopt);
    openPath = file.path;
    window.studyCommands().openAction()->trigger();
    EXPECT_EQ(inputs(), (Inputs{"3",
                                "250",
                                {"4.5,0.1", "80,5", "230,8", "22,2", "2.5,0.2", "12,2", "3,1"},
                                {1, -1, 3, 2, -1, 4, 0},
                                77}));
    pressCalculate();
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(window.lastRun()->study.seed, 77u);
    const Result driver = runCli("--study " + file.path);
    EXPECT_EQ(driver.status, 0);
    EXPECT_EQ(withoutTiming(report()), withoutTiming(driver.out));
    EXPECT_TRUE(messages.size() == 1 && messages[0].title == "VKM");
}

TEST_F(StudyCommandsTest, SavedStudyRepeatsTheWindowsClockSeededRunInTheDriver) {
    c.txtRepititions->setText("4");
    c.txtSampleSize->setText("300");
    c.txtParam[2]->setText("225,0.2");
    c.cmbDist[2]->setCurrentIndex(3);
    pressCalculate();
    const std::string windowReport = report();
    savePath = file.path;
    window.studyCommands().saveAction()->trigger();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].title, "Save Study As");
    EXPECT_EQ(dialogs[0].defaultExtension, "ferrolith");
    EXPECT_FALSE(dialogs[0].open);
    const Study saved = readStudyFile(file.path);
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(saved, window.lastRun()->study);
    EXPECT_EQ(saved.seed, window.seeds().last);
    EXPECT_EQ(saved.distributions[2], "Gumbel");
    const Result driver = runCli("--study " + file.path);
    EXPECT_EQ(withoutTiming(driver.out), withoutTiming(windowReport));
    EXPECT_NE(windowReport.find("Beam Depth: (225,0.2) Dist.: Gumbel"), std::string::npos);
}

// The project details typed in the results window's form: in the analysis, kept by the next
// run, saved with the study and shown again when a study is opened; a bad text is one message.
TEST_F(StudyCommandsTest, TheProjectFormEditsTheStudysDetails) {
    auto* form = window.results().window().findChild<ProjectForm*>("projectForm");
    ASSERT_NE(form, nullptr);
    const auto type = [form](ProjectField which, const QString& text) {
        QLineEdit& field = form->field(which);
        field.setText(text);
        emit field.editingFinished();
    };
    type(ProjectField::Project, QStringLiteral("Footbridge 7"));
    type(ProjectField::Engineer, QStringLiteral("A. Engineer"));
    type(ProjectField::Checker, QStringLiteral("Grüße C."));
    const ProjectDetails typed{"Footbridge 7", "A. Engineer", "Grüße C."};
    EXPECT_EQ(window.analysis().current().study().project, typed);
    type(ProjectField::Checker, QStringLiteral("C.\tChecker"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Checker: the text holds a control character.");
    EXPECT_EQ(form->field(ProjectField::Checker).text(), QStringLiteral("Grüße C."));
    EXPECT_EQ(window.analysis().current().study().project, typed);

    c.txtRepititions->setText("2");
    c.txtSampleSize->setText("50");
    pressCalculate();
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(window.lastRun()->study.project, typed);
    savePath = file.path;
    window.studyCommands().saveAction()->trigger();
    EXPECT_EQ(readStudyFile(file.path).project, typed);

    Study other = sampleStudy();
    other.project = {"Quay wall", "", "D. Checker"};
    ASSERT_EQ(writeStudyFile(file.path, other), std::nullopt);
    EXPECT_TRUE(window.studyCommands().openStudy(file.path));
    EXPECT_EQ(form->field(ProjectField::Project).text(), QStringLiteral("Quay wall"));
    EXPECT_EQ(form->field(ProjectField::Engineer).text(), QString());
    EXPECT_EQ(form->field(ProjectField::Checker).text(), QStringLiteral("D. Checker"));
    EXPECT_EQ(form->field(ProjectField::Project).maxLength(), static_cast<int>(longestProjectText));
}

TEST_F(StudyCommandsTest, ABadFileChangesNothingAndSaysWhyInOneLine) {
    std::ofstream(file.path)
        << "{\"schemaVersion\": 1,\n \"repetitions\": \"5\",\n \"samples\": 9}";
    openPath = file.path;
    c.txtParam[4]->setText("typed");
    const Inputs before = inputs();
    window.studyCommands().openAction()->trigger();
    EXPECT_EQ(inputs(), before);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "The study file " + file.path +
                                      " is not a study: samples: must be a text (the count as "
                                      "typed, such as \"1000\"), not the number 9");
    EXPECT_EQ(messages[0].title, std::nullopt);
}

TEST_F(StudyCommandsTest, StudiesThatOnceCrashedTheWindowAreOneMessageEach) {
    openPath = file.path;
    c.txtParam[4]->setText("typed");
    const Inputs before = inputs();
    for (const testing::BadStudy& bad : testing::onceCrashingStudies()) {
        testing::writeText(file.path, bad.text);
        messages.clear();
        window.studyCommands().openAction()->trigger();
        dropOn(c.txtParam[0], QString::fromStdString(file.path));
        EXPECT_EQ(inputs(), before) << bad.what;
        ASSERT_EQ(messages.size(), 2u) << bad.what;
        for (const ShownMessage& shown : messages)
            EXPECT_EQ(shown.prompt, "The study file " + file.path + " " + bad.fault) << bad.what;
    }
}

TEST_F(StudyCommandsTest, CancelledDialogsDoNothing) {
    const Inputs before = inputs();
    window.studyCommands().openAction()->trigger();
    window.studyCommands().saveAction()->trigger();
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(inputs(), before);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(std::filesystem::exists(file.path));
}

TEST_F(StudyCommandsTest, AFailedSaveIsAMessage) {
    const testing::TempFolder scratch;
    savePath = (scratch.missingFolder() / "s.json").string();
    window.studyCommands().saveAction()->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt,
              "Error while saving file " + savePath + "\r\nNo such file or directory");
}

TEST_F(StudyCommandsTest, AFileDroppedOnTheWindowOrATextBoxOpens) {
    Study study = sampleStudy();
    for (QWidget* target : std::initializer_list<QWidget*>{&window, c.txtParam[0], c.txtSampleSize,
                                                           c.txtReport->viewport()}) {
        study.samples = std::to_string(c.txtSampleSize->text().toInt() + 1);
        ASSERT_EQ(writeStudyFile(file.path, study), std::nullopt);
        dropOn(target, QString::fromStdString(file.path));
        EXPECT_EQ(c.txtSampleSize->text().toStdString(), study.samples)
            << target->objectName().toStdString();
        EXPECT_EQ(c.txtParam[0]->text(), "4.5,0.1");
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(StudyCommandsTest, TextDragsStayTheTextBoxes) {
    QMimeData data;
    data.setText("12,3");
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(&window, &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(StudyCommandsTest, ReportMenuOffersBothWithTheirShortcuts) {
    const std::unique_ptr<QMenu> menu(createReportContextMenu(
        *c.txtReport, {window.studyCommands().openAction(), window.studyCommands().saveAction()},
        QPoint(5, 5)));
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text().split('\t').front();
    EXPECT_TRUE(texts.contains("&Copy"));
    EXPECT_EQ(texts.mid(texts.size() - 2), (QStringList{"Open Study...", "Save Study As..."}));
    EXPECT_EQ(window.studyCommands().openAction()->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(window.studyCommands().saveAction()->shortcut(), QKeySequence("Ctrl+Shift+S"));

    ASSERT_EQ(writeStudyFile(file.path, sampleStudy()), std::nullopt);
    openPath = file.path;
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(c.txtSampleSize->text(), "250");
    savePath = file.path + ".2";
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(readStudyFile(savePath).samples, "250");
    std::filesystem::remove(savePath);
}

}  // namespace
}  // namespace ferrolith::test
