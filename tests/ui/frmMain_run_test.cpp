#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using frmMainRun = WindowTest;

const std::string asterisks(50, '*');
const std::string abortBlock =
    asterisks + "\r\nAborting analysis: Faulty Distribution Input Data\r\n" + asterisks + "\r\n";

void pressCalculate(const MainWindowControls& c) { QTest::mouseClick(c.btmCalc, Qt::LeftButton); }

TEST_F(frmMainRun, DefaultRunFillsTheReportAndAsksToSave) {
    pressCalculate(c);
    const std::string text = report();
    EXPECT_EQ(countOf(text, "\r\n"), 172);
    EXPECT_EQ(countOf(text, "\n"), 172);
    EXPECT_EQ(
        text.rfind("Input Data: \r\n" + asterisks + "\r\nBeam Length: (4,0.05) Dist.: Normal\r\n",
                   0),
        0u);
    EXPECT_NE(text.find("\r\nIteration: 25\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nTotal number of simulations was 25000\r\n"), std::string::npos);
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text.back())));
    EXPECT_EQ(c.lblBar->text(), "25/25");
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 25));
    EXPECT_TRUE(c.btmCalc->isEnabled());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Simulation Complete\r\nSave File?");
    EXPECT_EQ(messages[0].title, "VKM");
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(frmMainRun, WindowShowsProgressAndTheGrowingReportDuringTheRun) {
    struct Seen {
        QString label;
        long lineEnds;
        bool buttonEnabled;
        bool scrolledToEnd;
    };
    std::vector<Seen> seen;
    // Fires whenever the run lets the window process its events; under load the event
    // dispatcher can fire it twice in one pass (with the results window's updates among the
    // timers), so a second sight of the same progress is not recorded.
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const QScrollBar* bar = c.txtReport->verticalScrollBar();
        if (!seen.empty() && seen.back().label == c.lblBar->text()) return;
        seen.push_back({c.lblBar->text(), countOf(report(), "\r\n"), c.btmCalc->isEnabled(),
                        bar->value() == bar->maximum()});
    });
    probe.start();
    pressCalculate(c);
    probe.stop();
    ASSERT_EQ(seen.size(), 25u);
    for (int r = 1; r <= 25; ++r) {
        const Seen& s = seen[r - 1];
        EXPECT_EQ(s.label, QStringLiteral("%1/25").arg(r));
        EXPECT_EQ(s.lineEnds, 10 + 6 * r);
        EXPECT_FALSE(s.buttonEnabled);
        EXPECT_TRUE(s.scrolledToEnd);
    }
    EXPECT_GT(c.txtReport->verticalScrollBar()->maximum(), 0);
}

TEST_F(frmMainRun, FaultyPoissonInputAbortsWithoutTheSaveQuestion) {
    c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText("Poisson"));
    pressCalculate(c);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(messages[0].title, std::nullopt);
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    const std::string text = report();
    EXPECT_EQ(countOf(text, "\r\n"), 13);
    EXPECT_NE(text.find("Point Load Value: (10,1.5) Dist.: Poisson\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - abortBlock.size()), abortBlock);
    EXPECT_EQ(c.lblBar->text(), "0/25");
    EXPECT_TRUE(c.btmCalc->isEnabled());
}

TEST_F(frmMainRun, CountThatDoesNotConvertLeavesTheReportUntouched) {
    const std::string header = report();
    c.txtRepititions->setText("abc");
    pressCalculate(c);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(report(), header);
    EXPECT_EQ(c.lblBar->text(), "0/100");

    c.txtRepititions->setText("2");
    pressCalculate(c);
    const std::string completed = report();
    c.txtSampleSize->setText("");
    pressCalculate(c);
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(report(), completed);
    EXPECT_EQ(c.lblBar->text(), "2/2");
    EXPECT_TRUE(c.btmCalc->isEnabled());
}

TEST_F(frmMainRun, SecondPressDuringARunStartsNoSecondRun) {
    const QPoint centre = c.btmCalc->rect().center();
    for (int press = 0; press < 2; ++press) {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QCoreApplication::postEvent(
                c.btmCalc, new QMouseEvent(type, centre, c.btmCalc->mapToGlobal(centre),
                                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        }
    }
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(countOf(report(), "Input Data: "), 1);
    EXPECT_EQ(countOf(report(), "\r\n"), 172);
}

TEST_F(frmMainRun, ClosingDuringARunStopsItAndClosesTheWindow) {
    QTimer::singleShot(0, [&] { window.close(); });
    pressCalculate(c);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(countOf(report(), "Iteration: "), 1);
}

TEST_F(frmMainRun, ClosingDuringAMaximalRunStopsItAtTheNextRepetition) {
    c.txtRepititions->setText("32767");
    c.txtSampleSize->setText("32767");
    QTimer::singleShot(300, [&] { window.close(); });
    pressCalculate(c);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_LT(countOf(report(), "Iteration: "), 32767);
}

TEST_F(frmMainRun, ClosingWhenIdleJustCloses) {
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(frmMainRun, SaveThroughTheDialogWritesTheReportExactly) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    savePath = folder.filePath("VKM1.txt").toStdString();
    saveAnswer = MessageResult::Yes;
    pressCalculate(c);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].initialFolder, window.operations().saveFolder());
    QFile saved(QString::fromStdString(savePath));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    EXPECT_EQ(content.toStdString(), report());
    EXPECT_EQ(content.count("\r\n"), 172);
    EXPECT_EQ(content.count('\n'), 172);
    EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
}  // namespace ferrolith::test
