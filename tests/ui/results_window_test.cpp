#include <sys/resource.h>

#include <QApplication>
#include <QCategoryAxis>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXYSeries>
#include <cmath>
#include <fstream>
#include <tuple>

#include "failure_statistics/figure_text.hpp"
#include "support/file_test_support.hpp"
#include "support/range_studies.hpp"
#include "support/tally_builders.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using ResultsWindowTest = WindowTest;
using ferrolith::testing::slurp;

QString statusText(ResultsWindow& w) {
    return w.findChildren<QLabel*>().front()->text();  // the status line comes first
}

// The figures a run's tallies give, written as the clipboard gets them.
QString expectedFigures(const RunResult& run, RunStatus status) {
    const auto figures = failureFigures(run.tallies, run.plannedRepetitions, status);
    return figures ? QString::fromStdString(figuresAsText(*figures)) : QString();
}

TEST_F(ResultsWindowTest, OpensWhenARunStartsAndShowsItsFigures) {
    ResultsWindow& results = window.results().window();
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(results.windowTitle(), "Ferrolith Results");
    pressCalculate();
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(statusText(results), "Run completed: 25 repetitions.");
    ASSERT_TRUE(window.lastRun());
    ASSERT_EQ(window.lastRun()->tallies.size(), 25u);
    EXPECT_EQ(results.figuresText(), expectedFigures(*window.lastRun(), RunStatus::Completed));
    EXPECT_TRUE(results.figuresText().contains("\nSamples: 25000\n"));
    EXPECT_EQ(results.convergence().pointCount(), 25);
    // The main window keeps its report and its one question.
    EXPECT_EQ(countOf(report(), "\r\n"), 172);
    EXPECT_EQ(messages.size(), 1u);
    results.copyFigures();
    EXPECT_EQ(QApplication::clipboard()->text(), results.figuresText());
}

// What the results window showed once it had caught up with a finished repetition.
struct Caught {
    int points;
    QString status;
    QString figures;
    bool operator==(const Caught&) const = default;
};

TEST_F(ResultsWindowTest, CatchesUpWithTheRunUnderWay) {
    c.txtRepititions->setText("3");
    ResultsWindow& results = window.results().window();
    std::optional<Caught> caught;
    // At the save question the run waits for the answer, and the window has been told every
    // repetition: its timer repaints the figures of the run under way.
    window.dialogs().setMessageBoxHook([&](auto...) {
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return results.convergence().pointCount() == 3; }, 20000));
        caught = {results.convergence().pointCount(), statusText(results), results.figuresText()};
        return MessageResult::No;
    });
    pressCalculate();
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(caught, (Caught{3, "Run under way: 3 of 3 repetitions completed.",
                              expectedFigures(*window.lastRun(), RunStatus::Running)}));
    EXPECT_EQ(results.convergence().pointCount(), 3);
    EXPECT_EQ(statusText(results), "Run completed: 3 repetitions.");
    EXPECT_EQ(results.figuresText(), expectedFigures(*window.lastRun(), RunStatus::Completed));
}

TEST_F(ResultsWindowTest, ShowResultsDuringARunShowsTheFiguresSoFarAtOnce) {
    c.txtRepititions->setText("4");
    ResultsWindow& results = window.results().window();
    QStringList statuses;
    runs.onRepetition = [&](const RunResult& run) {
        if (!statuses.isEmpty()) return;
        results.close();
        window.results().showResults();
        statuses.push_back(statusText(results));
        EXPECT_EQ(statuses.back(), QStringLiteral("Run under way: %1 of 4 repetitions completed.")
                                       .arg(run.completedRepetitions()));
        EXPECT_EQ(results.figuresText(), expectedFigures(run, RunStatus::Running));
        EXPECT_EQ(results.convergence().pointCount(), run.completedRepetitions());
    };
    pressCalculate();
    EXPECT_EQ(statuses.size(), 1);
    EXPECT_EQ(statusText(results), "Run completed: 4 repetitions.");
}

TEST_F(ResultsWindowTest, ClosingItDuringARunLeavesTheRunAloneAndCtrlRReopensIt) {
    ResultsWindow& results = window.results().window();
    c.txtRepititions->setText("10");
    runs.onRepetition = [&](const RunResult&) { results.close(); };
    pressCalculate();
    EXPECT_FALSE(results.isVisible());
    EXPECT_EQ(countOf(report(), "Iteration: "), 10);
    EXPECT_EQ(runs.finished.back(), 10);
    EXPECT_EQ(messages.size(), 1u);

    // The closed results window may still count as active until the platform says otherwise.
    window.activateWindow();
    for (int wait = 0; wait < 100 && QApplication::activeWindow() != &window; ++wait)
        QTest::qWait(10);
    ASSERT_EQ(QApplication::activeWindow(), &window);
    QTest::keyClick(c.txtParam[0], Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(statusText(results), "Run completed: 10 repetitions.");
    EXPECT_EQ(results.figuresText(), expectedFigures(*window.lastRun(), RunStatus::Completed));
    EXPECT_EQ(c.txtParam[0]->text(), "4,0.05");  // the shortcut typed nothing
}

TEST_F(ResultsWindowTest, ReportContextMenuHasShowResultsAfterTheEditingItems) {
    ResultsWindow& results = window.results().window();
    QStringList items;
    QString shortcut;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* a : menu->actions()) items << a->text();
        QAction* show = menu->actions().back();
        shortcut = show->shortcut().toString();
        menu->close();
        show->trigger();
    });
    QWidget* area = c.txtReport->viewport();
    const QPoint at = area->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, area->mapToGlobal(at));
    QApplication::sendEvent(area, &event);
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.back(), "Show Results");
    EXPECT_EQ(shortcut, "Ctrl+R");
    EXPECT_TRUE(items.contains("&Copy\tCtrl+C"));
    EXPECT_TRUE(items.contains("Select All\tCtrl+A"));
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(statusText(results), "No run yet: press Calculate in the main window.");
}

TEST_F(ResultsWindowTest, CountsOrParametersThatDoNotConvertLeaveThePreviousFigures) {
    ResultsWindow& results = window.results().window();
    pressCalculate();
    const QString figures = results.figuresText();
    ASSERT_FALSE(figures.isEmpty());
    c.txtRepititions->setText("abc");
    pressCalculate();
    EXPECT_EQ(results.figuresText(), figures);
    c.txtRepititions->setText("3");
    c.txtParam[2]->setText("225");
    pressCalculate();
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_EQ(results.figuresText(), figures);
    EXPECT_EQ(statusText(results), "Run completed: 25 repetitions.");
    results.close();
    window.results().showResults();  // reopening shows them too
    EXPECT_EQ(results.figuresText(), figures);
}

TEST_F(ResultsWindowTest, AbortedRunShowsTheRepetitionsBeforeTheFault) {
    // A Gamma shape just above 1 overflows a power for about one draw in five.
    c.txtRepititions->setText("6");
    c.txtSampleSize->setText("1");
    c.cmbDist[6]->setCurrentIndex(c.cmbDist[6]->findText("Gamma"));
    c.txtParam[6]->setText(QString::fromStdString("2," + std::to_string(1.0 + 1.0 / 441)));
    ResultsWindow& results = window.results().window();
    for (std::uint64_t seed = 1; seed < 200; ++seed) {
        window.seeds().fixed = seed;
        pressCalculate();
        ASSERT_TRUE(window.lastRun());
        const RunResult& run = *window.lastRun();
        const int completed = run.completedRepetitions();
        if (run.outcome != RunOutcome::Aborted || completed < 1 || completed > 4) continue;
        EXPECT_EQ(run.study.seed, seed);
        EXPECT_EQ(statusText(results),
                  QStringLiteral("The run aborted on faulty input data after %1 of 6 "
                                 "repetitions; the figures cover those.")
                      .arg(completed));
        EXPECT_EQ(results.figuresText(), expectedFigures(run, RunStatus::Aborted));
        EXPECT_TRUE(
            results.figuresText().contains(QStringLiteral("\nSamples: %1\n").arg(completed)));
        EXPECT_EQ(results.convergence().pointCount(), completed);
        EXPECT_EQ(results.chartView(ResultsChart::Margin)->chart()->series().size(), 2);
        return;
    }
    ADD_FAILURE() << "no seed aborted in repetitions 2 to 5";
}

QStringList labelTexts(ResultsWindow& w) {
    QStringList texts;
    for (const QLabel* label : w.findChildren<QLabel*>()) texts << label->text();
    return texts;
}

QString adviceText(ResultsWindow& w) {
    const QStringList advice = labelTexts(w).filter(QRegularExpression(QStringLiteral("^Trust ")));
    return advice.size() == 1 ? advice.front() : QString();
}

TEST_F(ResultsWindowTest, StreamsWithoutSpreadShowNoIntervalAndFewSamplesAWarning) {
    ResultsWindow& results = window.results().window();
    c.txtRepititions->setText("40");
    c.txtSampleSize->setText("1");
    c.txtParam[3]->setText("2000,1");  // no sample fails
    pressCalculate();
    EXPECT_TRUE(labelTexts(results).contains(
        "none: every stream gives Pf 0, so there is no spread to measure"));
    EXPECT_TRUE(adviceText(results).startsWith("Trust the Wilson bound: "));
    EXPECT_TRUE(adviceText(results).contains(
        " With only 1 sample a repetition, Pf is biased: every repetition's first sample comes "
        "from a corner of the input space"));

    c.txtSampleSize->setText("100");
    pressCalculate();
    EXPECT_TRUE(adviceText(results).startsWith("Trust the Wilson bound: "));
    EXPECT_FALSE(adviceText(results).contains("biased"));
}

TEST_F(ResultsWindowTest, TailWarningFollowsTheAdviceOnlyWhereFormPutsAnInputBeyondReach) {
    ResultsWindow& results = window.results().window();
    c.txtRepititions->setText("2");
    c.txtSampleSize->setText("100");
    pressCalculate();
    EXPECT_FALSE(adviceText(results).contains("standard normal value"));

    c.txtParam[3]->setText("90,3");  // Pf 9.25e-8: the width's design point beyond -4
    pressCalculate();
    EXPECT_TRUE(adviceText(results).contains(
        " Beam Width (mm) is a resistance that must fall to the standard normal value -4."))
        << adviceText(results).toStdString();
}

TEST_F(ResultsWindowTest, EachInputOutOfRangeFollowsTheAdviceOfARunAndOfALoadedStudy) {
    ResultsWindow& results = window.results().window();
    c.txtRepititions->setText("2");
    c.txtSampleSize->setText("100");
    c.cmbDist[0]->setCurrentIndex(c.cmbDist[0]->findText("Gamma"));
    pressCalculate();
    const std::string warning = inputRangeWarnings(gammaLengthStudy()).front().text;
    EXPECT_TRUE(adviceText(results).endsWith(" " + QString::fromStdString(warning)))
        << adviceText(results).toStdString();

    window.analysis().load(Analysis(logNormalStressStudy(), "stress.ferrolith"));
    EXPECT_TRUE(labelTexts(results).contains(
        QString::fromStdString(inputRangeWarnings(logNormalStressStudy()).front().text)));
}

TEST_F(ResultsWindowTest, ChartsSaveAsPngAndSvgThatLoadBack) {
    pressCalculate();
    ResultsWindow& results = window.results().window();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (ResultsChart chart :
         {ResultsChart::Convergence, ResultsChart::EffectResist, ResultsChart::Margin}) {
        const QString png = folder.filePath(QStringLiteral("chart%1.png").arg(int(chart)));
        const QString svg = folder.filePath(QStringLiteral("chart%1.SVG").arg(int(chart)));
        ASSERT_TRUE(results.saveChart(chart, png));
        ASSERT_TRUE(results.saveChart(chart, svg));
        const QImage image(png);
        EXPECT_FALSE(image.isNull());
        EXPECT_EQ(image.size(),
                  results.chartView(chart)->size() * results.chartView(chart)->devicePixelRatio());
        QSvgRenderer drawing(svg);
        EXPECT_TRUE(drawing.isValid());
        EXPECT_EQ(drawing.viewBox(), results.chartView(chart)->rect());
    }
    const QString missing = folder.filePath(QStringLiteral("no/such/folder/chart"));
    EXPECT_FALSE(results.saveChart(ResultsChart::Convergence, missing + ".png"));
    EXPECT_FALSE(results.saveChart(ResultsChart::Convergence, missing + ".svg"));
}

TEST_F(ResultsWindowTest, AChartThatCannotBeWrittenLeavesTheOldFileAsItWas) {
    pressCalculate();
    ResultsWindow& results = window.results().window();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    for (const char* name : {"old.png", "old.svg"}) {
        const std::string path = folder.filePath(QString::fromUtf8(name)).toStdString();
        const std::string before(5000, 'x');
        std::ofstream(path, std::ios::binary) << before;
        // A file-size limit below the picture's size makes the write fail part-way.
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 1000;
        ::setrlimit(RLIMIT_FSIZE, &small);
        const bool written =
            results.saveChart(ResultsChart::Convergence, QString::fromStdString(path));
        ::setrlimit(RLIMIT_FSIZE, &saved);
        EXPECT_FALSE(written) << name;
        EXPECT_EQ(slurp(path), before) << name;
    }
}

TEST_F(ResultsWindowTest, FiguresAreTheSameForEveryEngineAndThreadCount) {
    c.txtRepititions->setText("60");
    c.txtSampleSize->setText("5000");
    window.seeds().fixed = 7;
    QString first;
    for (auto [engine, threads] : {std::pair{Engine::Reference, 1}, std::pair{Engine::Fast, 1},
                                   std::pair{Engine::Fast, 2}, std::pair{Engine::Fast, 8}}) {
        window.setRunOptions({engine, threads});
        pressCalculate();
        ASSERT_TRUE(window.lastRun());
        EXPECT_EQ(window.lastRun()->engine, engine);
        const QString figures = window.results().window().figuresText();
        ASSERT_FALSE(figures.isEmpty());
        if (first.isEmpty()) first = figures;
        EXPECT_EQ(figures, first) << threads;
    }
    EXPECT_TRUE(first.contains("Inputs at failure"));
}

}  // namespace
}  // namespace ferrolith::test

namespace ferrolith::test {
namespace {

TEST(ConvergenceChartTest, DrawsEveryPointUpToTheLimitThenASpreadIncludingTheEnds) {
    for (std::size_t count :
         {std::size_t{1}, std::size_t{500}, std::size_t{501}, std::size_t{32767}}) {
        std::vector<ConvergencePoint> points(count);
        for (std::size_t i = 0; i < count; ++i) points[i].samples = 1000 * (i + 1);
        ConvergenceChart chart;
        chart.show(points);
        const auto* pf = static_cast<QXYSeries*>(chart.chart()->series().back());
        ASSERT_EQ(pf->count(), chart.pointCount());
        EXPECT_EQ(static_cast<std::size_t>(chart.pointCount()),
                  std::min(count, ConvergenceChart::drawnPoints));
        // The samples axis plots their logarithms.
        EXPECT_EQ(pf->at(0).x(), 3.0);
        EXPECT_EQ(pf->at(pf->count() - 1).x(), std::log10(1000.0 * static_cast<double>(count)));
        for (int i = 1; i < pf->count(); ++i) EXPECT_LT(pf->at(i - 1).x(), pf->at(i).x());
        delete chart.chart();
    }
}

// A small Pf goes on a logarithmic axis over whole decades, a large one back on the linear axis.
TEST(ConvergenceChartTest, ASmallPfGoesOnALogarithmicAxis) {
    ConvergenceChart chart;
    const auto pfAxis = [&] {
        return static_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Vertical).value(0));
    };
    const std::vector<RepetitionTally> small{tally(1, 0, 100000), tally(2, 1, 100000)};
    chart.show(convergence(small));
    ASSERT_EQ(chart.chart()->axes(Qt::Vertical).size(), 1);
    EXPECT_EQ(pfAxis()->titleText(), "Pf (log scale)");
    EXPECT_EQ(pfAxis()->categoriesLabels(),
              (QStringList{"1e-08", "1e-07", "1e-06", "1e-05", "1e-04"}));
    EXPECT_EQ(pfAxis()->min(), -8.0);
    EXPECT_EQ(pfAxis()->max(), -4.0);
    const std::vector<RepetitionTally> large{tally(1, 30, 1000)};
    chart.show(convergence(large));
    ASSERT_EQ(chart.chart()->axes(Qt::Vertical).size(), 1);
    EXPECT_EQ(pfAxis()->titleText(), "Pf");
    EXPECT_EQ(pfAxis()->categoriesLabels(),
              (QStringList{"0", "0.01", "0.02", "0.03", "0.04", "0.05"}));
    delete chart.chart();
}

}  // namespace
}  // namespace ferrolith::test

namespace ferrolith::test {
namespace {

TEST_F(ResultsWindowTest, ClosingTheMainWindowClosesItToo) {
    pressCalculate();
    ASSERT_TRUE(window.results().window().isVisible());
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.results().window().isVisible());
}

}  // namespace
}  // namespace ferrolith::test

namespace ferrolith::test {
namespace {

QCategoryAxis* countAxisOf(const HistogramChart& chart) {
    return static_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Vertical).front());
}

TEST(HistogramChartTest, FewSamplesGetATickForEveryWholeCount) {
    HistogramChart chart(QStringLiteral("E"), {{QStringLiteral("E"), Qt::red}}, std::nullopt);
    for (int top : {1, 3, 9}) {
        SampleHistogram h{0.0, 1.0, {0, top, 1}};
        chart.show({h}, QStringLiteral("x"));
        QStringList counts;
        for (int n = 0; n <= top; ++n) counts << QString::number(n);
        EXPECT_EQ(countAxisOf(chart)->categoriesLabels(), counts) << top;
        EXPECT_EQ(countAxisOf(chart)->max(), top);
    }
    // From ten on, steps of whole numbers.
    chart.show({SampleHistogram{0.0, 1.0, {0, 37, 1}}}, QStringLiteral("x"));
    EXPECT_EQ(countAxisOf(chart)->categoriesLabels(), (QStringList{"0", "10", "20", "30", "40"}));
    delete chart.chart();
}

TEST(HistogramChartTest, SubtitleCountsOneSampleInTheSingular) {
    EXPECT_EQ(distributionsSubtitle(1, 1, 1), "repetition 1 of 1, 1 sample");
    EXPECT_EQ(distributionsSubtitle(25, 25, 1000), "repetition 25 of 25, 1000 samples");
}

// An empty chart shows its frame and title only: no series, axis or legend.
bool blank(const QChart& chart) {
    for (const QAbstractSeries* series : chart.series())
        if (series->isVisible()) return false;
    for (const QAbstractAxis* axis : chart.axes())
        if (axis->isVisible()) return false;
    return !chart.legend()->isVisible();
}

TEST_F(ResultsWindowTest, EmptyChartsAreBlankUntilThereIsSomethingToDraw) {
    ResultsWindow& results = window.results().window();
    for (ResultsChart which :
         {ResultsChart::Convergence, ResultsChart::EffectResist, ResultsChart::Margin})
        EXPECT_TRUE(blank(*results.chartView(which)->chart())) << int(which);
    pressCalculate();
    for (ResultsChart which :
         {ResultsChart::Convergence, ResultsChart::EffectResist, ResultsChart::Margin})
        EXPECT_FALSE(blank(*results.chartView(which)->chart())) << int(which);
    results.clearDistributions();
    EXPECT_TRUE(blank(*results.chartView(ResultsChart::Margin)->chart()));
    EXPECT_TRUE(results.chartView(ResultsChart::Margin)
                    ->chart()
                    ->title()
                    .contains("shown when the run completes"));
}

TEST_F(ResultsWindowTest, ARunAbortedBeforeARepetitionShowsAndCopiesWhatIsKnown) {
    ResultsWindow& results = window.results().window();
    pressCalculate();
    c.cmbDist[5]->setCurrentIndex(c.cmbDist[5]->findText("Poisson"));
    c.txtParam[5]->setText("5,1");
    pressCalculate();
    ASSERT_EQ(messages.back().prompt, "Poisson Parameter < 10");
    const QString shown =
        "The run aborted on faulty input data after 0 of 25 repetitions.\nRepetitions "
        "completed: 0 of 25\nNo figures: the run aborted on faulty input data before a "
        "repetition completed.\n";
    EXPECT_EQ(results.figuresText(), shown);
    EXPECT_TRUE(labelTexts(results).contains("0 of 25"));
    EXPECT_TRUE(labelTexts(results).contains("Repetitions completed:"));
    EXPECT_FALSE(labelTexts(results).contains("Samples:"));  // the old figures are gone
    EXPECT_TRUE(blank(*results.chartView(ResultsChart::Convergence)->chart()));
    results.copyFigures();
    EXPECT_EQ(QApplication::clipboard()->text(), shown);
    // A completed run after it brings every figure back.
    c.txtParam[5]->setText("20,1");
    pressCalculate();
    EXPECT_TRUE(labelTexts(results).contains("Samples:"));
    EXPECT_FALSE(labelTexts(results).contains("Repetitions completed:"));
}

TEST_F(ResultsWindowTest, NarrowEnoughToStandBesideTheMainWindowAndFitsA1024By768Screen) {
    ResultsWindow& results = window.results().window();
    pressCalculate();
    EXPECT_LE(results.width(), 820);
    const QSize least = results.minimumSizeHint();
    EXPECT_LE(least.width(), 1000);
    EXPECT_LE(least.height(), 680);  // 768 less a panel and the window's frame
    for (const QPushButton* button : results.findChildren<QPushButton*>()) {
        // The Methods and Design tabs' own show with their tabs (methods_panel_test.cpp,
        // design_panel_test.cpp).
        if (results.methods().isAncestorOf(button) || results.design().isAncestorOf(button))
            continue;
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
    }
}

TEST_F(ResultsWindowTest, WrappedFiguresKeepEveryLineAtTheSmallestSize) {
    ResultsWindow& results = window.results().window();
    c.txtRepititions->setText("40");
    c.txtSampleSize->setText("1");
    pressCalculate();
    results.resize(results.minimumSizeHint());
    QApplication::processEvents();
    const QWidget* viewport = results.findChild<QScrollArea*>("figuresScroll")->viewport();
    int wrapped = 0;
    for (const QLabel* label : results.findChildren<QLabel*>()) {
        if (!label->isVisible()) continue;
        // Every label lies within the width the figures scroll in.
        if (viewport->isAncestorOf(label)) {
            EXPECT_LE(label->mapTo(viewport, QPoint(label->width(), 0)).x(), viewport->width())
                << label->text().toStdString();
        }
        if (!label->wordWrap()) continue;
        EXPECT_GE(label->height(), label->heightForWidth(label->width()))
            << label->text().toStdString();
        wrapped += label->heightForWidth(label->width()) > label->fontMetrics().height() * 3 / 2;
    }
    EXPECT_GT(wrapped, 0);  // some values do wrap at this width
}

TEST_F(ResultsWindowTest, HasTheProgramsIcon) {
    EXPECT_FALSE(window.results().window().windowIcon().isNull());
}

}  // namespace
}  // namespace ferrolith::test
