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
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Simulation Complete\r\nSave File?");
    EXPECT_EQ(messages[0].title, "VKM");
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(dialogs.empty());
}

struct Seen {
    QString label;
    long lineEnds;
    bool scrolledToEnd;
    bool operator==(const Seen&) const = default;
};

// Records what the window shows each time the run lets it process its events. Other timers
// (the results window's) may let this one fire twice in one pass: a sight equal to the one before
// is not recorded again.
class Probe {
  public:
    explicit Probe(const MainWindowControls& c) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, &c] {
            const QScrollBar* bar = c.txtReport->verticalScrollBar();
            const Seen now{c.lblBar->text(), countLineEnds(shownReport(c)),
                           bar->value() == bar->maximum()};
            if (seen.empty() || !(seen.back() == now)) seen.push_back(now);
        });
        timer_.start();
    }

    std::vector<Seen> seen;

  private:
    QTimer timer_;
};

TEST_F(frmMainRun, WindowShowsProgressAndTheGrowingReportDuringTheRun) {
    window.operations().setRefreshInterval(std::chrono::milliseconds(0));
    Probe probe(c);
    pressCalculate(c);
    ASSERT_EQ(probe.seen.size(), 25u);
    for (int r = 1; r <= 25; ++r) {
        const Seen& s = probe.seen[r - 1];
        EXPECT_EQ(s.label, QStringLiteral("%1/25").arg(r));
        EXPECT_EQ(s.lineEnds, 10 + 6 * r);
        EXPECT_TRUE(s.scrolledToEnd);
    }
    EXPECT_GT(c.txtReport->verticalScrollBar()->maximum(), 0);
}

TEST_F(frmMainRun, HeldBackOutputIsShownInFullBeforeTheQuestion) {
    window.operations().setRefreshInterval(std::chrono::hours(1));
    std::string shownAtQuestion;
    QString labelAtQuestion;
    window.operations().setMessageBoxHook([&](auto...) {
        shownAtQuestion = shownReport(c);
        labelAtQuestion = c.lblBar->text();
        return MessageResult::No;
    });
    window.operations().showPending();  // nothing falls due within the hour from here
    Probe probe(c);
    pressCalculate(c);
    // The run cleared the report at its start; all else is held back to the end.
    ASSERT_FALSE(probe.seen.empty());
    for (const Seen& s : probe.seen) {
        EXPECT_EQ(s.label, "0/100");
        EXPECT_EQ(s.lineEnds, 0);
    }
    EXPECT_EQ(countLineEnds(shownAtQuestion), 172);
    EXPECT_EQ(shownAtQuestion, report());
    EXPECT_EQ(labelAtQuestion, "25/25");
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 25, 25));
    const QScrollBar* bar = c.txtReport->verticalScrollBar();
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(frmMainRun, FaultyPoissonInputAbortsWithoutTheSaveQuestion) {
    window.operations().setRefreshInterval(std::chrono::hours(1));
    c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText("Poisson"));
    pressCalculate(c);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(messages[0].title, std::nullopt);
    EXPECT_EQ(messages[0].icon, MessageIcon::None);
    EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
    // The abort block follows the fault's message, and the window shows it when the run ends.
    const std::string text = shownReport(c);
    EXPECT_EQ(countOf(text, "\r\n"), 13);
    EXPECT_NE(text.find("Point Load Value: (10,1.5) Dist.: Poisson\r\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - abortBlock.size()), abortBlock);
    EXPECT_EQ(c.lblBar->text(), "0/25");
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
    // Asked at the first chance the run gives, while the workers are drawing repetitions ahead.
    QTimer::singleShot(0, [&] { window.close(); });
    pressCalculate(c);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(countOf(report(), "Iteration: "), 1);
    EXPECT_EQ(c.lblBar->text(), "1/32767");
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
