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

TEST_F(frmMainRun, DefaultRunFillsTheReportAndAsksToSave) {
    pressCalculate();
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
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Simulation Complete\r\nSave File?");
    EXPECT_EQ(messages[0].title, "VKM");
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(dialogs.empty());
    // The window shows the report the run wrote, and keeps the run as its last.
    ASSERT_EQ(runs.ended.size(), 1u);
    EXPECT_EQ(runs.ended[0].report, text);
    EXPECT_EQ(runs.ended[0].save, SaveOutcome::Declined);
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(window.lastRun()->report, text);
    EXPECT_FALSE(window.running());
}

struct Seen {
    QString label;
    long lineEnds;
    int bar;
    bool scrolledToEnd;
    bool operator==(const Seen&) const = default;
};

Seen seenIn(const MainWindowControls& c) {
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    return {c.lblBar->text(), countLineEnds(shownReport(c)), c.pb->value(),
            bar->value() == bar->maximum()};
}

TEST_F(frmMainRun, WindowShowsProgressAndTheGrowingReportAtEveryRepetition) {
    window.view().setRefreshInterval(std::chrono::milliseconds(0));
    std::vector<Seen> seen;
    runs.onRepetition = [&](const RunResult&) { seen.push_back(seenIn(c)); };
    pressCalculate();
    ASSERT_EQ(seen.size(), 25u);
    for (int r = 1; r <= 25; ++r)
        EXPECT_EQ(seen[r - 1], (Seen{QStringLiteral("%1/25").arg(r), 10 + 6 * r, r, true})) << r;
    EXPECT_GT(c.txtReport->verticalScrollBar()->maximum(), 0);
}

TEST_F(frmMainRun, HeldBackOutputIsShownInFullBeforeTheQuestion) {
    // A first run ends by showing everything; nothing falls due within the hour after it.
    window.view().setRefreshInterval(std::chrono::hours(1));
    c.txtRepititions->setText("1");
    pressCalculate();
    ASSERT_EQ(c.lblBar->text(), "1/1");
    c.txtRepititions->setText("25");
    std::vector<Seen> seen;
    runs.onRepetition = [&](const RunResult&) { seen.push_back(seenIn(c)); };
    std::string shownAtQuestion;
    QString labelAtQuestion;
    window.dialogs().setMessageBoxHook([&](auto...) {
        shownAtQuestion = shownReport(c);
        labelAtQuestion = c.lblBar->text();
        return MessageResult::No;
    });
    pressCalculate();
    // The run cleared the report at its start; all else is held back to the question.
    ASSERT_EQ(seen.size(), 25u);
    for (const Seen& s : seen) EXPECT_EQ(s, (Seen{"1/1", 0, 1, true}));
    EXPECT_EQ(countLineEnds(shownAtQuestion), 172);
    EXPECT_EQ(shownAtQuestion, report());
    EXPECT_EQ(shownAtQuestion, runs.ended.back().report);
    EXPECT_EQ(labelAtQuestion, "25/25");
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 25));
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(frmMainRun, FaultyPoissonInputAbortsWithoutTheSaveQuestion) {
    window.view().setRefreshInterval(std::chrono::hours(1));
    c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText("Poisson"));
    pressCalculate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(messages[0].title, std::nullopt);
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    // The abort block follows the fault's message, and the window shows it when the run ends.
    const std::string text = report();
    EXPECT_EQ(countOf(text, "\r\n"), 13);
    EXPECT_NE(text.find("Point Load Value: (10,1.5) Dist.: Poisson\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - abortBlock.size()), abortBlock);
    EXPECT_EQ(c.lblBar->text(), "0/25");
    ASSERT_EQ(runs.ended.size(), 1u);
    EXPECT_EQ(runs.ended[0].outcome, RunOutcome::Aborted);
    EXPECT_TRUE(runs.finished.empty());
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(window.lastRun()->outcome, RunOutcome::Aborted);
}

TEST_F(frmMainRun, CountThatDoesNotConvertLeavesTheReportUntouched) {
    const std::string header = report();
    c.txtRepititions->setText("abc");
    pressCalculate();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(report(), header);
    EXPECT_EQ(c.lblBar->text(), "0/100");
    EXPECT_EQ(runs.started, 0);
    EXPECT_EQ(window.lastRun(), nullptr);

    c.txtRepititions->setText("2");
    pressCalculate();
    const std::string completed = report();
    c.txtSampleSize->setText("");
    pressCalculate();
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(report(), completed);
    EXPECT_EQ(c.lblBar->text(), "2/2");
    // The failed run is not the last run: that stays the completed one.
    ASSERT_EQ(runs.ended.size(), 3u);
    EXPECT_EQ(runs.ended[2].outcome, RunOutcome::Failed);
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(window.lastRun()->outcome, RunOutcome::Completed);
    EXPECT_EQ(window.lastRun()->report, completed);
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
    EXPECT_EQ(runs.started, 1);
    EXPECT_EQ(runs.finished.size(), 25u);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(countOf(report(), "Input Data: "), 1);
    EXPECT_EQ(countOf(report(), "\r\n"), 172);
}

TEST_F(frmMainRun, ClosingDuringARunStopsItAndClosesTheWindow) {
    QTimer::singleShot(0, [&] { window.close(); });
    pressCalculate();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(countOf(report(), "Iteration: "), 1);
    ASSERT_EQ(runs.ended.size(), 1u);
    EXPECT_EQ(runs.ended[0].outcome, RunOutcome::Stopped);
    EXPECT_EQ(runs.finished, std::vector<int>{1});
    // A stopped run has no figures of its own to keep.
    EXPECT_EQ(window.lastRun(), nullptr);
}

TEST_F(frmMainRun, ClosingDuringAMaximalRunStopsItAtTheNextRepetition) {
    c.txtRepititions->setText("32767");
    c.txtSampleSize->setText("32767");
    // Asked at the first chance the run gives, while the workers are drawing repetitions ahead.
    QTimer::singleShot(0, [&] { window.close(); });
    pressCalculate();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(countOf(report(), "Iteration: "), 1);
    EXPECT_EQ(c.lblBar->text(), "1/32767");
    EXPECT_EQ(runs.finished, std::vector<int>{1});
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
    pressCalculate();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].initialFolder, window.dialogs().saveFolder());
    QFile saved(QString::fromStdString(savePath));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray content = saved.readAll();
    EXPECT_EQ(content.toStdString(), report());
    EXPECT_EQ(content.count("\r\n"), 172);
    EXPECT_EQ(content.count('\n'), 172);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(runs.ended.back().save, SaveOutcome::Saved);
}

}  // namespace
}  // namespace ferrolith::test
