#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

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

TEST_F(frmMainRun, WheneverTheWindowIsToldItShowsTheRepetitionsSoFar) {
    window.runWorker().setPushInterval(std::chrono::milliseconds(0));
    c.txtRepititions->setText("400");
    c.txtSampleSize->setText("100");
    runs.onRepetition = [&](const RunResult& run) {
        const int r = run.completedRepetitions();
        // The input block, then six lines a repetition.
        EXPECT_EQ(seenIn(c), (Seen{QStringLiteral("%1/400").arg(r), 10 + 6 * r, r, true})) << r;
        EXPECT_EQ(countOf(report(), "Iteration: "), r);
    };
    pressCalculate();
    const std::vector<int>& told = runs.finished;
    ASSERT_FALSE(told.empty());
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_EQ(std::adjacent_find(told.begin(), told.end()), told.end());
    EXPECT_EQ(told.back(), 400);
    EXPECT_GT(c.txtReport->verticalScrollBar()->maximum(), 0);
}

TEST_F(frmMainRun, TheWindowIsToldAtMostAbout30TimesASecond) {
    c.txtRepititions->setText("32767");
    c.txtSampleSize->setText("1");
    QElapsedTimer elapsed;
    elapsed.start();
    pressCalculate();
    // One push a push interval at most, besides the one at the start and the one before the
    // question.
    const auto interval = RunWorker::defaultPushInterval.count();
    EXPECT_LE(static_cast<qint64>(runs.finished.size()), elapsed.elapsed() / interval + 2);
    EXPECT_EQ(runs.finished.back(), 32767);
    EXPECT_EQ(countOf(report(), "Iteration: "), 32767);
}

TEST_F(frmMainRun, WithPushesHeldBackEverythingIsShownBeforeTheQuestion) {
    window.runWorker().setPushInterval(std::chrono::hours(1));
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
    // The repetitions come in one push, before the question.
    EXPECT_EQ(seen, (std::vector<Seen>{{"25/25", 160, 25, true}}));
    EXPECT_EQ(countLineEnds(shownAtQuestion), 172);
    EXPECT_EQ(shownAtQuestion, report());
    EXPECT_EQ(shownAtQuestion, runs.ended.back().report);
    EXPECT_EQ(labelAtQuestion, "25/25");
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 25));
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(frmMainRun, FaultyPoissonInputAbortsWithoutTheSaveQuestion) {
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
    runs.onRepetition = [&](const RunResult&) {
        for (int press = 0; press < 2; ++press) clickCalculate();
    };
    pressCalculate();
    EXPECT_EQ(runs.started, 1);
    EXPECT_EQ(runs.finished.back(), 25);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(countOf(report(), "Input Data: "), 1);
    EXPECT_EQ(countOf(report(), "\r\n"), 172);
    EXPECT_FALSE(window.running());
}

struct CloseCase {
    const char* name;
    const char* pointLoadDist;
    bool atTheFirstRepetition;  // else at the first message box
    RunOutcome outcome;
    std::size_t boxes;
};

TEST_F(frmMainRun, ACloseDuringARunEndsItAtTheNextRepetitionOrAfterTheBoxOpen) {
    const CloseCase cases[] = {
        {"at a repetition of a maximal run", "", true, RunOutcome::Stopped, 0},
        {"at the save question", "", false, RunOutcome::Completed, 1},
        {"at a faulty draw's box", "Poisson", false, RunOutcome::Aborted, 1},
    };
    for (const CloseCase& k : cases) {
        SCOPED_TRACE(k.name);
        window.show();
        messages.clear();
        runs.ended.clear();
        c.txtRepititions->setText(k.atTheFirstRepetition ? "32767" : "25");
        c.txtSampleSize->setText(k.atTheFirstRepetition ? "32767" : "1000");
        c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText(k.pointLoadDist));
        runs.onRepetition = [&](const RunResult&) {
            if (k.atTheFirstRepetition) window.close();
        };
        window.dialogs().setMessageBoxHook([&](std::string_view prompt, auto...) {
            messages.push_back(
                {std::string(prompt), std::nullopt, MessageIcon::None, MessageButtons::Ok});
            // The window stays open while the box is, and the run goes on when it is answered.
            EXPECT_FALSE(window.close());
            EXPECT_TRUE(window.isVisible());
            return MessageResult::No;
        });
        pressCalculate();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(messages.size(), k.boxes);
        ASSERT_EQ(runs.ended.size(), 1u);
        const RunResult& run = runs.ended[0];
        EXPECT_EQ(run.outcome, k.outcome);
        // Nothing the run did is lost: the report and the progress show every repetition done.
        const int done = run.completedRepetitions();
        EXPECT_EQ(report(), run.report);
        EXPECT_EQ(countOf(report(), "Iteration: "), done);
        EXPECT_EQ(c.lblBar->text().toStdString(),
                  std::to_string(done) + "/" + std::to_string(run.plannedRepetitions));
        EXPECT_EQ(done < run.plannedRepetitions, k.outcome != RunOutcome::Completed);
        // A stopped run has no figures of its own to keep.
        EXPECT_EQ(window.lastRun() != nullptr, run.recorded());
    }
}

TEST_F(frmMainRun, TextTypedIntoTheReportDuringARunStaysAndIsSaved) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    savePath = folder.filePath("VKM1.txt").toStdString();
    saveAnswer = MessageResult::Yes;
    runs.onRepetition = [&](const RunResult& run) {
        if (run.completedRepetitions() == runs.finished.front()) {
            c.txtReport->moveCursor(QTextCursor::Start);
            QTest::keyClicks(c.txtReport, "Checked: ");
        }
    };
    pressCalculate();
    const std::string expected = "Checked: " + runs.ended.at(0).report;
    EXPECT_EQ(report(), expected);
    QFile saved(QString::fromStdString(savePath));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), expected);
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
