// Calculate from the keyboard, and what keys do while a run is under way.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

class frmMainKeys : public WindowTest {
  protected:
    void SetUp() override {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        c.btmCalc->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), c.btmCalc);
    }

    // Presses key where the keyboard focus is, as the keyboard would, and waits for a run it
    // started to end.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        pressDuringRun(key, modifiers);
        waitForRun();
    }
    static void pressDuringRun(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
};

const KeyCase pressKeys[] = {
    {"Space", Qt::Key_Space, Qt::NoModifier},
    {"Return", Qt::Key_Return, Qt::NoModifier},
    {"Enter", Qt::Key_Enter, Qt::NoModifier},
    {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier},
};

TEST_F(frmMainKeys, EachPressKeyOnTheFocusedButtonRunsOnce) {
    for (const KeyCase& k : pressKeys) {
        SCOPED_TRACE(k.name);
        messages.clear();
        runs.started = 0;
        press(k.key, k.modifiers);
        EXPECT_EQ(runs.started, 1);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].prompt, "Simulation Complete\r\nSave File?");
        EXPECT_EQ(QApplication::focusWidget(), c.btmCalc);
    }
}

TEST_F(frmMainKeys, ReturnInAnInputStartsNothing) {
    for (QLineEdit* input : {c.txtParam[0], c.txtRepititions, c.txtSampleSize}) {
        input->setFocus();
        press(Qt::Key_Return);
        press(Qt::Key_Enter, Qt::KeypadModifier);
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(runs.started, 0);
}

TEST_F(frmMainKeys, KeysDuringARunNeverChangeAnInput) {
    c.txtRepititions->setText("3");
    QString focusedDuringRun;
    // Typed when the window is first told of a repetition: a digit, Space twice and Return.
    runs.onRepetition = [&](const RunResult&) {
        if (!focusedDuringRun.isEmpty()) return;
        focusedDuringRun = QApplication::focusWidget()->objectName();
        for (Qt::Key key : {Qt::Key_5, Qt::Key_Space, Qt::Key_Space, Qt::Key_Return})
            pressDuringRun(key);
    };
    press(Qt::Key_Space);
    EXPECT_EQ(focusedDuringRun, "btmCalc");
    EXPECT_EQ(c.txtRepititions->text(), "3");
    EXPECT_EQ(c.txtSampleSize->text(), "1000");
    for (int i = 0; i < inputVariableCount; ++i)
        EXPECT_EQ(c.txtParam[i]->text().toStdString(), testing::defaultParamTexts()[i]);
    EXPECT_EQ(runs.started, 1);
    EXPECT_EQ(runs.finished.back(), 3);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), c.btmCalc);

    // The next press runs with the counts as they were typed.
    press(Qt::Key_Space);
    EXPECT_EQ(runs.started, 2);
    EXPECT_EQ(countOf(report(), "Input Data: "), 1);
    EXPECT_NE(report().find("Total number of simulations was 3000\r\n"), std::string::npos);
}

struct EndingCase {
    const char* name;
    const char* repetitions;
    const char* pointLoadDist;
    std::size_t boxes;
};

TEST_F(frmMainKeys, FocusIsOnCalculateWhenTheRunEnds) {
    const EndingCase endings[] = {
        {"completed", "2", "", 1},
        {"aborted", "2", "Poisson", 1},
        {"count does not convert", "x", "", 1},
    };
    for (const EndingCase& e : endings) {
        SCOPED_TRACE(e.name);
        messages.clear();
        c.txtRepititions->setText(e.repetitions);
        c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText(e.pointLoadDist));
        press(Qt::Key_Space);
        EXPECT_EQ(messages.size(), e.boxes);
        EXPECT_EQ(QApplication::focusWidget(), c.btmCalc);
    }
}

TEST_F(frmMainKeys, FocusComesBackToCalculateAfterTheRealQuestionBox) {
    window.dialogs().setMessageBoxHook({});
    c.txtRepititions->setText("2");
    // Answers No as soon as the question is up.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::No)->click();
    });
    answer.start();
    press(Qt::Key_Return);
    answer.stop();
    EXPECT_EQ(countOf(report(), "Iteration: "), 2);
    // The window gives the focus back to this control when it is active again.
    EXPECT_EQ(window.focusWidget(), c.btmCalc);
}

}  // namespace
}  // namespace ferrolith::test
