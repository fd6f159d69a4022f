// The results window's Methods tab: FORM after a design run, methods run on a worker thread
// against runMethod called directly, cancellation, progress, the comparison and the target
// reliability index.
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QWheelEvent>
#include <filesystem>

#include "analysis/design_values.hpp"
#include "analysis/period_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "files/results_json.hpp"
#include "files/study_file.hpp"
#include "reliability/form.hpp"
#include "support/bad_study_texts.hpp"
#include "support/file_test_support.hpp"
#include "support/method_answers.hpp"
#include "support/pdf_tools.hpp"
#include "support/recording_observer.hpp"
#include "support/reliability_cases.hpp"
#include "support/run_cli.hpp"
#include "support/verdict_cases.hpp"
#include "ui/methods/importance_bars.hpp"
#include "ui/methods/method_comparison.hpp"
#include "window_fixture.hpp"

// Cells compare as QStrings; a failure shows them as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace ferrolith::test {
namespace {

using reliability::Method;
using reliability::MethodResult;

class MethodsPanelTest : public WindowTest {
  protected:
    MethodsPanel& panel() { return window.results().window().methods(); }
    template <class T>
    T* find(const char* name) {
        return panel().findChild<T*>(QString::fromUtf8(name));
    }
    QString cell(const char* table, int row, int column) {
        const QTableWidgetItem* item = find<QTableWidget>(table)->item(row, column);
        return item ? item->text() : QString("(none)");
    }
    // A comparison row's verdict in full, with the target's basis: the tip of its Target cell.
    QString verdictOf(int row) {
        const QTableWidgetItem* item = find<QTableWidget>("methodComparison")->item(row, 7);
        return item ? item->toolTip() : QString("(none)");
    }
    // The rare case (Pf about 9.25e-8) in a run of 2 x 100.
    void runRareCase() {
        c.txtRepititions->setText("2");
        c.txtSampleSize->setText("100");
        c.txtParam[3]->setText("90,3");
        pressCalculate();
        messages.clear();
    }
    // Chooses a method, sets importance sampling's count and presses Run; waits for the end
    // unless told not to.
    void runMethod(Method method, const QString& samples = "5000", bool wait = true,
                   const QString& targetCov = "") {
        const int index = method == Method::ImportanceSampling      ? 0
                          : method == Method::IndependentMonteCarlo ? 1
                          : method == Method::Sorm                  ? 2
                                                                    : 3;
        find<QComboBox>("methodChoice")->setCurrentIndex(index);
        find<QLineEdit>("methodSamples")->setText(samples);
        find<QLineEdit>("methodTargetCov")->setText(targetCov);
        QSignalSpy ended(&panel(), &MethodsPanel::methodEnded);
        QTest::mouseClick(find<QPushButton>("runMethod"), Qt::LeftButton);
        if (wait && panel().worker().running()) {
            ASSERT_TRUE(ended.wait(60000));
        }
    }
    // The same method through runMethod, on the study of the window's last run.
    MethodResult direct(Method method, std::int64_t samples,
                        std::optional<double> targetCov = std::nullopt) {
        testing::RecordingObserver observer;
        return ferrolith::runMethod(RunRequest{window.lastRun()->study, {}},
                                    {method, samples, targetCov}, observer);
    }
};

TEST_F(MethodsPanelTest, FormAppearsAfterADesignRunWithTheExpectedBeta) {
    EXPECT_EQ(find<QLabel>("formSummary")->text(),
              "FORM appears here when a run completes or aborts.");
    runRareCase();
    const reliability::BeamSpace space(rareBeamInputs());
    const reliability::FormResult expected = reliability::form(space.limitState());
    ASSERT_TRUE(expected.converged);
    EXPECT_NEAR(expected.beta, 5.22, 0.005);
    ASSERT_EQ(panel().methodResults().size(), 1u);
    const MethodResult& shown = panel().methodResults().front();
    EXPECT_EQ(shown.method(), Method::Form);
    EXPECT_EQ(shown.form->form.beta, expected.beta);
    const QString summary = find<QLabel>("formSummary")->text();
    EXPECT_TRUE(summary.startsWith(QString::fromStdString(
        "beta " + formatFigure(expected.beta) +
        ", Pf = Phi(-beta) = " + formatFigure(expected.failureProbability) + "; converged; " +
        formatCount(expected.evaluations) +
        " evaluations; meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2).")))
        << summary.toStdString();
    // The design point, input by input, and the bars, largest first.
    const auto& point = *shown.form->designPoint;
    ASSERT_EQ(find<QTableWidget>("designPoint")->rowCount(), 7);
    EXPECT_EQ(cell("designPoint", 1, 0), "Beam Width (mm)");
    EXPECT_EQ(cell("designPoint", 1, 1),
              QString::fromStdString(formatFigure(point.inputs[1].value)));
    EXPECT_EQ(cell("designPoint", 1, 4),
              QString::fromStdString(formatFigure(point.inputs[1].importance)));
    const auto& bars = find<ImportanceBars>("importanceBars")->bars();
    ASSERT_EQ(bars.size(), 7u);
    EXPECT_EQ(bars.front().name, "Beam Width (mm)");
    EXPECT_EQ(bars.front().share, point.inputs[1].importance);
    // The design run and FORM are compared.
    ASSERT_EQ(find<QTableWidget>("methodComparison")->rowCount(), 2);
    EXPECT_EQ(cell("methodComparison", 0, 0), "Design Monte Carlo");
    // Nothing failed in 200 samples: Pf below 0.01884, beta above 2.078.
    const auto design = failureFigures(window.lastRun()->tallies, 2, RunStatus::Completed);
    ASSERT_EQ(design->failures, 0);
    EXPECT_EQ(cell("methodComparison", 0, 1),
              QString::fromStdString("< " + formatFigure(design->wilson.upper)));
    EXPECT_EQ(cell("methodComparison", 0, 4),
              QString::fromStdString("> " + formatFigure(design->reliabilityInterval.lower)));
    EXPECT_EQ(verdictOf(0), "not shown to meet RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)");
    find<QDoubleSpinBox>("targetIndex")->setValue(2.0);
    EXPECT_EQ(verdictOf(0), "meets 50-year loads: beta 2.00 (results window)");
    EXPECT_EQ(cell("methodComparison", 0, 7), "meets");
    EXPECT_EQ(find<QLabel>("comparisonBasis")->text(),
              "Each method is judged against 50-year loads: beta 2.00 (results window).");
    EXPECT_EQ(cell("methodComparison", 1, 0), "FORM");
    EXPECT_EQ(cell("methodComparison", 1, 4), QString::fromStdString(formatFigure(expected.beta)));
}

// Two mirror design points: each under its title in the table, the warning beside the summary
// and among the results window's advice.
TEST_F(MethodsPanelTest, EveryDesignPointWithTheWarning) {
    runRareCase();
    EXPECT_TRUE(find<QLabel>("designPointsNote")->isHidden());
    c.txtParam[3]->setText("80,3");
    c.txtParam[4]->setText("2,2");
    c.txtParam[5]->setText("0,4");
    pressCalculate();
    messages.clear();
    const auto& form = panel().methodResults().front().form->form;
    ASSERT_EQ(form.designPoints.size(), 2u);
    const QString warning = QString::fromStdString(form.severalPointsWarning);
    EXPECT_TRUE(warning.startsWith("FORM found 2 design points; the second carries 100%"))
        << warning.toStdString();
    EXPECT_EQ(find<QLabel>("designPointsNote")->text(), warning);
    ASSERT_EQ(find<QTableWidget>("designPoint")->rowCount(), 16);
    EXPECT_EQ(cell("designPoint", 0, 0), "Design point 1 of 2, beta 3.578");
    EXPECT_EQ(cell("designPoint", 1, 0), "Beam Length (m)");
    EXPECT_EQ(cell("designPoint", 8, 0), "Design point 2 of 2, beta 3.579");
    EXPECT_EQ(cell("designPoint", 13, 4),
              QString::fromStdString(
                  formatFigure(form.designPoints[1].alpha[4] * form.designPoints[1].alpha[4])));
    const QStringList labels = [&] {
        QStringList texts;
        for (const QLabel* l : window.results().window().findChildren<QLabel*>())
            texts << l->text();
        return texts;
    }();
    EXPECT_EQ(labels.filter(warning).size(), 2) << labels.join("\n").toStdString();
}

TEST_F(MethodsPanelTest, ImportanceSamplingFromThePanelIsRunMethodsAndReachesTheTotal) {
    runRareCase();
    runMethod(Method::ImportanceSampling, "5500");
    EXPECT_TRUE(messages.empty());
    const MethodResult expected = direct(Method::ImportanceSampling, 5500);
    ASSERT_EQ(panel().methodResults().size(), 2u);
    const MethodResult& shown = panel().methodResults().back();
    ASSERT_TRUE(samplingOf(shown));
    EXPECT_EQ(samplingOf(shown)->samples, 5500);
    EXPECT_EQ(samplingOf(shown)->failureProbability, samplingOf(expected)->failureProbability);
    EXPECT_EQ(samplingOf(shown)->standardError, samplingOf(expected)->standardError);
    // Six blocks: five of 1000 and one of 500.
    const QProgressBar* progress = find<QProgressBar>("methodProgress");
    EXPECT_EQ(progress->maximum(), 6);
    EXPECT_EQ(progress->value(), 6);
    EXPECT_EQ(cell("methodComparison", 2, 0), "Importance sampling");
    EXPECT_EQ(cell("methodComparison", 2, 1),
              QString::fromStdString(formatFigure(samplingOf(expected)->failureProbability)));
    EXPECT_EQ(cell("methodComparison", 2, 5), "5500");
    EXPECT_EQ(verdictOf(2), "meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)");
    find<QDoubleSpinBox>("targetIndex")->setValue(6.0);
    EXPECT_EQ(verdictOf(2), "falls short of 50-year loads: beta 6.00 (results window)");
    EXPECT_EQ(verdictOf(1), "falls short of 50-year loads: beta 6.00 (results window)");
}

// At the results window's opening size every cell and head of the tab's tables stands whole on
// one line: no column narrower than its widest text, none past the table's edge, and each table
// as tall as its rows. The rare case gives the longest texts: bounds from nothing failing,
// intervals of small Pf, every method.
TEST_F(MethodsPanelTest, EveryTableFitsTheOpeningWidthOnOneLine) {
    ResultsWindow& results = window.results().window();
    const std::vector<const char*> names{"designPoint", "designValues", "methodComparison"};
    const auto rowsHeight = [](const QTableWidget* table) {
        int rows = 0;
        for (int r = 0; r < table->rowCount(); ++r) rows += table->rowHeight(r);
        return rows;
    };
    const auto expectFitting = [&](const std::string& when) {
        window.results().showResults();
        results.resize(ResultsWindow::preferredSize);
        results.findChild<QTabWidget*>("resultsTabs")->setCurrentWidget(&panel());
        // Rows rebuilt take their heights in a later layout pass, then the tab its own.
        const bool settled = QTest::qWaitFor([&] {
            return std::all_of(names.begin(), names.end(), [&](const char* name) {
                const auto* table = find<QTableWidget>(name);
                return table->viewport()->height() == rowsHeight(table);
            });
        });
        EXPECT_TRUE(settled) << when;
        for (const char* name : names) {
            const std::string what = when + ", " + name;
            auto* table = find<QTableWidget>(name);
            const QHeaderView* heads = table->horizontalHeader();
            EXPECT_LE(heads->length(), table->viewport()->width()) << what;
            for (int c = 0; c < table->columnCount(); ++c) {
                const int widest = static_cast<QAbstractItemView*>(table)->sizeHintForColumn(c);
                EXPECT_GE(table->columnWidth(c), std::max(widest, heads->sectionSizeHint(c)))
                    << what << ", column " << c;
            }
            for (int r = 0; r < table->rowCount(); ++r)
                EXPECT_EQ(table->rowHeight(r), table->rowHeight(0)) << what << ", row " << r;
            EXPECT_EQ(table->viewport()->height(), rowsHeight(table)) << what;
        }
    };
    runRareCase();
    expectFitting("the run and FORM");
    for (Method m : {Method::IndependentMonteCarlo, Method::ImportanceSampling, Method::Sorm,
                     Method::SubsetSimulation})
        runMethod(m);
    ASSERT_EQ(find<QTableWidget>("methodComparison")->rowCount(), 6);
    EXPECT_EQ(cell("methodComparison", 2, 0), "Independent Monte Carlo");
    EXPECT_TRUE(cell("methodComparison", 2, 1).startsWith("< "));
    EXPECT_EQ(cell("methodComparison", 2, 7), "not shown");
    expectFitting("every method");
}

// The calculation record carries the methods run in the tab, FORM once, and the target index the
// tab shows now.
TEST_F(MethodsPanelTest, TheRecordCarriesTheTabsMethodsAndItsTarget) {
    runRareCase();
    runMethod(Method::ImportanceSampling, "5500");
    find<QDoubleSpinBox>("targetIndex")->setValue(5.5);
    testing::TempPath file("methods-record.pdf");
    savePath = file.path;
    window.results().window().findChild<QPushButton*>("saveRecord")->click();
    const std::string text = testing::pdfText(file.path);
    const MethodResult& sampling = panel().methodResults().back();
    EXPECT_NE(text.find("Importance sampling"), std::string::npos) << text;
    EXPECT_NE(text.find(formatFigure(samplingOf(sampling)->failureProbability)), std::string::npos);
    EXPECT_NE(text.find("falls short of 50-year loads: beta 5.50"), std::string::npos) << text;
    EXPECT_EQ(text.find("beta 3.8 (EN 1990"), std::string::npos);
    EXPECT_EQ(text.find("Limit-state evaluations"), text.rfind("Limit-state evaluations"));
}

TEST_F(MethodsPanelTest, IndependentMonteCarloAndSormAreRunMethodsToo) {
    runRareCase();
    EXPECT_EQ(find<QLabel>("methodCounts")->text(), "2 x 100 (the run's counts)");
    runMethod(Method::IndependentMonteCarlo);
    runMethod(Method::Sorm);
    const MethodResult streams = direct(Method::IndependentMonteCarlo, 0);
    const MethodResult sorm = direct(Method::Sorm, 0);
    ASSERT_EQ(panel().methodResults().size(), 3u);
    const MethodResult& shownStreams = panel().methodResults()[1];
    ASSERT_TRUE(streamsOf(shownStreams));
    EXPECT_EQ(streamsOf(shownStreams)->repetitions.size(), 2u);
    EXPECT_EQ(streamsOf(shownStreams)->repetitions[1].effectMean,
              streamsOf(streams)->repetitions[1].effectMean);
    const MethodResult& shownSorm = panel().methodResults()[2];
    EXPECT_EQ(sormOf(shownSorm)->breitung.failureProbability,
              sormOf(sorm)->breitung.failureProbability);
    const QStringList methods{cell("methodComparison", 0, 0), cell("methodComparison", 1, 0),
                              cell("methodComparison", 2, 0), cell("methodComparison", 3, 0)};
    EXPECT_EQ(methods,
              (QStringList{"Design Monte Carlo", "FORM", "Independent Monte Carlo", "SORM"}));
    EXPECT_EQ(cell("methodComparison", 2, 5), "200");
    EXPECT_EQ(cell("methodComparison", 3, 4),
              QString::fromStdString(formatFigure(sormOf(sorm)->hohenbichlerRackwitz.beta)));
}

TEST_F(MethodsPanelTest, CancelStopsALongRunAndClaimsNoFigures) {
    runRareCase();
    QSignalSpy progressed(&panel().worker(), &MethodWorker::progressed);
    runMethod(Method::ImportanceSampling, "500000000", false);
    ASSERT_TRUE(panel().worker().running());
    ASSERT_TRUE(progressed.wait(60000));
    EXPECT_FALSE(find<QPushButton>("runMethod")->isEnabled());
    QSignalSpy ended(&panel(), &MethodsPanel::methodEnded);
    QTest::mouseClick(find<QPushButton>("cancelMethod"), Qt::LeftButton);
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(panel().worker().result().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(samplingOf(panel().worker().result())->cancelled);
    EXPECT_LT(find<QProgressBar>("methodProgress")->value(), 500000);
    EXPECT_EQ(find<QLabel>("methodStatus")->text(), "Importance sampling cancelled: no figures.");
    EXPECT_EQ(panel().methodResults().size(), 1u);  // FORM alone
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(find<QPushButton>("runMethod")->isEnabled());
}

// Run, disabled while the method runs, hands the focus to Cancel; whether the method finishes or
// is cancelled, the focus comes back to Run.
TEST_F(MethodsPanelTest, TheFocusComesBackToRunWhenTheMethodEnds) {
    runRareCase();
    window.results().showResults();
    ResultsWindow& results = window.results().window();
    results.findChild<QTabWidget*>("resultsTabs")->setCurrentIndex(3);
    results.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&results));
    auto* run = find<QPushButton>("runMethod");
    auto* cancel = find<QPushButton>("cancelMethod");
    QSignalSpy ended(&panel(), &MethodsPanel::methodEnded);
    runMethod(Method::Sorm);  // clicked
    ASSERT_EQ(ended.count(), 1);
    EXPECT_TRUE(run->hasFocus());
    find<QComboBox>("methodChoice")->setCurrentIndex(0);
    find<QLineEdit>("methodSamples")->setText("500000000");
    run->setFocus();
    QTest::keyClick(run, Qt::Key_Space);
    ASSERT_TRUE(panel().worker().running());
    EXPECT_TRUE(cancel->hasFocus());
    QTest::keyClick(cancel, Qt::Key_Space);
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(panel().worker().result().outcome, RunOutcome::Stopped);
    EXPECT_TRUE(run->hasFocus());
}

TEST_F(MethodsPanelTest, ABadSampleCountIsOneLineAndRunsNothing) {
    runRareCase();
    for (const char* typed : {"", "abc", "0", "-5", "1e5", " 100", "1000000001", "99999999999"}) {
        messages.clear();
        runMethod(Method::ImportanceSampling, typed, false);
        EXPECT_FALSE(panel().worker().running()) << typed;
        ASSERT_EQ(messages.size(), 1u) << typed;
        EXPECT_EQ(messages[0].prompt, "Importance sampling samples: \"" + std::string(typed) +
                                          "\" is not a whole number from 1 to 1000000000");
    }
}

// The target CoV beside the count: empty is no target; a number stops the method early, as
// runMethod does with it, and the status says what ended it.
TEST_F(MethodsPanelTest, ATargetCovStopsImportanceSamplingAndTheStatusSaysSo) {
    runRareCase();
    runMethod(Method::ImportanceSampling, "3000");
    EXPECT_TRUE(
        find<QLabel>("methodStatus")->text().endsWith(" s: the samples asked for were drawn."))
        << find<QLabel>("methodStatus")->text().toStdString();
    runMethod(Method::ImportanceSampling, "1000000", true, "0.05");
    EXPECT_TRUE(messages.empty());
    const MethodResult expected = direct(Method::ImportanceSampling, 1000000, 0.05);
    const auto* shown = samplingOf(panel().methodResults().back());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->end, reliability::SamplingEnd::TargetCov);
    EXPECT_EQ(shown->samples, samplingOf(expected)->samples);
    EXPECT_LT(shown->samples, 1000000);
    EXPECT_EQ(shown->failureProbability, samplingOf(expected)->failureProbability);
    EXPECT_TRUE(find<QLabel>("methodStatus")->text().endsWith(" s: its CoV reached the target."));
    // Stopped short of its cap of 1000 blocks, the method is done all the same.
    const QProgressBar* progress = find<QProgressBar>("methodProgress");
    EXPECT_EQ(progress->maximum(), 1000);
    EXPECT_EQ(progress->value(), 1000);
    for (const char* typed : {"0", "1", "abc", "-0.1", " 0.05", "5%"}) {
        messages.clear();
        runMethod(Method::ImportanceSampling, "3000", false, typed);
        EXPECT_FALSE(panel().worker().running()) << typed;
        ASSERT_EQ(messages.size(), 1u) << typed;
        EXPECT_EQ(messages[0].prompt, "Target CoV: \"" + std::string(typed) +
                                          "\" is not a number above 0 and below 1 (empty: no "
                                          "target)");
    }
}

TEST_F(MethodsPanelTest, FaultyDataInAMethodIsOneMessageOnTheWindowsThread) {
    c.txtRepititions->setText("2");
    c.txtSampleSize->setText("100");
    c.txtParam[5]->setText("10,2");
    c.cmbDist[5]->setCurrentIndex(4);  // Poisson, mean 10: faulty in every draw
    pressCalculate();
    ASSERT_TRUE(window.lastRun() && window.lastRun()->outcome == RunOutcome::Aborted);
    EXPECT_TRUE(find<QLabel>("formSummary")->text().startsWith("ended on faulty input data"));
    messages.clear();
    runMethod(Method::IndependentMonteCarlo);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "Poisson Parameter < 10");
    EXPECT_EQ(find<QLabel>("methodStatus")->text(),
              "Independent Monte Carlo ended on faulty input data: no figures.");
    EXPECT_TRUE(panel().methodResults().empty());
}

TEST_F(MethodsPanelTest, ARunOfOtherInputsClearsTheMethodsOfTheOldStudy) {
    runRareCase();
    runMethod(Method::Sorm);
    pressCalculate();  // the same inputs, another clock seed
    ASSERT_EQ(panel().methodResults().size(), 2u);
    EXPECT_EQ(panel().methodResults()[1].method(), Method::Sorm);
    c.txtParam[3]->setText("91,3");
    pressCalculate();
    ASSERT_EQ(panel().methodResults().size(), 1u);
    EXPECT_EQ(panel().methodResults()[0].method(), Method::Form);
    EXPECT_EQ(find<QTableWidget>("methodComparison")->rowCount(), 2);
}

TEST_F(MethodsPanelTest, TheTargetIndexGoesWithTheStudy) {
    testing::TempPath file("target.ferrolith");
    find<QDoubleSpinBox>("targetIndex")->setValue(4.25);
    savePath = file.path;
    window.studyCommands().saveAction()->trigger();
    EXPECT_EQ(readStudyFile(file.path).target.typed, (TypedTarget{4.25, "results window"}));
    find<QDoubleSpinBox>("targetIndex")->setValue(2.0);
    pressCalculate();  // the run's study, and its results files, hold it too
    EXPECT_EQ(window.lastRun()->study.target.index(), 2.0);
    messages.clear();
    openPath = file.path;
    window.studyCommands().openAction()->trigger();
    EXPECT_EQ(panel().targetIndex(), 4.25);
    // A study of version 2 at 3.8 reads as RC2 over 50 years, the table's.
    testing::writeText(file.path, testing::version2Text("3.8"));
    window.studyCommands().openAction()->trigger();
    EXPECT_TRUE(messages.empty()) << messages.front().prompt;
    EXPECT_EQ(panel().targetIndex(), 3.8);
    EXPECT_EQ(find<QComboBox>("reliabilityClass")->currentText(), "RC2");
}

// The class, the period and the roles chosen in the tab: the verdicts, FORM over the other period
// and the design values follow, and the record and the study take them.
TEST_F(MethodsPanelTest, TheTargetsBasisChosenInTheTabReachesEveryFigure) {
    runRareCase();
    EXPECT_TRUE(find<QLabel>("formOtherPeriod")->text().startsWith("FORM beta, 1-year loads: "));
    ASSERT_EQ(find<QTableWidget>("designValues")->rowCount(), 7);
    EXPECT_EQ(cell("designValues", 6, 0), "UDL Value (kN/m)");
    EXPECT_EQ(find<QLabel>("basisUdlValue")->text(),
              "98% fractile of the annual maximum (36.42% of the 50-year law)");
    find<QComboBox>("reliabilityClass")->setCurrentIndex(2);
    find<QComboBox>("referencePeriod")->setCurrentIndex(0);
    find<QComboBox>("udlRole")->setCurrentIndex(1);
    const Analysis& a = window.analysis().current();
    EXPECT_EQ(a.target(), (TargetBasis{ReliabilityClass::RC3, ReferencePeriod::OneYear, {}}));
    EXPECT_EQ(roleOf(a.study(), InputVariable::UdlValue), LoadRole::Permanent);
    EXPECT_EQ(find<QDoubleSpinBox>("targetIndex")->value(), 5.2);
    EXPECT_EQ(verdictOf(1), "meets RC3, 1-year loads: beta 5.2 (EN 1990 Table B2)");
    // FORM over 50 years now, the point load alone converting; the UDL's value is its mean.
    const auto& other = a.form()->otherPeriod;
    EXPECT_EQ(find<QLabel>("formOtherPeriod")->text().toStdString(),
              otherPeriodLabel(other) + ": " + otherPeriodText(other) + ".");
    EXPECT_FALSE(other.loadsTogether);
    EXPECT_EQ(find<QLabel>("basisUdlValue")->text(), "mean");
    EXPECT_EQ(find<QLabel>("basisPointLoadValue")->text(), "98% fractile of the annual maximum");
    const auto values = designValues(a.study(), *a.form());
    EXPECT_EQ(cell("designValues", 3, 5).toStdString(),
              formatFigure(*values->inputs[3].factorAtTarget));
    EXPECT_EQ(values->target, 5.2);
    // Typed: the index with its source.
    find<QLineEdit>("targetSource")->setText("client's brief");
    find<QDoubleSpinBox>("targetIndex")->setValue(4.0);
    EXPECT_EQ(find<QComboBox>("reliabilityClass")->currentText(), "Typed target");
    EXPECT_EQ(verdictOf(1), "meets 1-year loads: beta 4.00 (client's brief)");
    testing::TempPath file("basis.ferrolith");
    savePath = file.path;
    window.studyCommands().saveAction()->trigger();
    const Study saved = readStudyFile(file.path);
    EXPECT_EQ(saved.target, a.target());
    EXPECT_EQ(saved.loadRoles, a.study().loadRoles);
}

// Scrolling the tab with the wheel over its boxes leaves them until they have the focus.
TEST_F(MethodsPanelTest, ScrollingOverTheBoxesLeavesThemUntilTheyHaveTheFocus) {
    auto* target = find<QDoubleSpinBox>("targetIndex");
    auto* method = find<QComboBox>("methodChoice");
    window.results().showResults();
    window.results().window().findChild<QTabWidget*>("resultsTabs")->setCurrentIndex(3);
    QApplication::processEvents();
    const auto wheel = [](QWidget* box, int delta) {
        const QPointF at(box->width() / 2.0, box->height() / 2.0);
        QWheelEvent turn(at, box->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(box, &turn);
    };
    wheel(target, 120);
    wheel(method, -120);
    EXPECT_EQ(target->value(), 3.8);
    EXPECT_EQ(method->currentIndex(), 0);
    target->setFocus();
    wheel(target, 120);
    EXPECT_NEAR(target->value(), 3.9, 1e-12);
    method->setFocus();
    wheel(method, -120);
    EXPECT_EQ(method->currentIndex(), 1);
}

TEST_F(MethodsPanelTest, TheWindowStillFitsA1024By768ScreenWithTheMethodsTabShown) {
    runRareCase();
    runMethod(Method::ImportanceSampling);
    ResultsWindow& results = window.results().window();
    auto* tabs = results.findChild<QTabWidget*>("resultsTabs");
    tabs->setCurrentIndex(3);
    EXPECT_EQ(tabs->tabText(3), "Methods");
    QApplication::processEvents();
    const QSize least = results.minimumSizeHint();
    EXPECT_LE(least.width(), 1000);
    EXPECT_LE(least.height(), 680);
    results.resize(least);
    QApplication::processEvents();
    for (const char* name : {"runMethod", "cancelMethod", "methodProgress", "targetIndex"})
        EXPECT_TRUE(find<QWidget>(name)->isVisible()) << name;
}

// Each verdict in the words the driver, the results file and the record use for it.
TEST_F(MethodsPanelTest, EachVerdictIsWordedAsEveryOtherViewWordsIt) {
    for (const VerdictCase& v : verdictCases) {
        testing::RecordingObserver observer;
        window.analysis().replace(Analysis::ofMethod(
            ferrolith::runMethod(RunRequest{verdictStudy(v), {}}, {v.method}, observer)));
        ASSERT_EQ(find<QTableWidget>("methodComparison")->rowCount(), 1) << v.name;
        EXPECT_EQ(verdictOf(0).toStdString(), v.words) << v.name;
        // The cell holds the verdict's first words, the basis being said above the table.
        EXPECT_TRUE(verdictOf(0).startsWith(cell("methodComparison", 0, 7) + " ")) << v.name;
        // An estimate without a figure says why under the table.
        const Estimate e = window.analysis().current().estimates().front().estimate;
        const QLabel* why = find<QLabel>("methodsWithoutFigures");
        EXPECT_EQ(why->isHidden(), e.kind != EstimateKind::None) << v.name;
        if (e.kind == EstimateKind::None) {
            EXPECT_EQ(cell("methodComparison", 0, 1), "no figure");
            EXPECT_EQ(why->text().toStdString(), "FORM: " + e.why);
        }
    }
}

// Opening a study after a run starts a new analysis: no figure, method, record or export of the
// old run is left to mix with the inputs now shown.
TEST_F(MethodsPanelTest, AStudyOpenedAfterARunStartsANewAnalysis) {
    runRareCase();
    runMethod(Method::Sorm);
    testing::TempPath exported("with-methods.json");
    savePath = exported.path;
    window.results().window().findChild<QPushButton*>("exportResults")->click();
    const auto json = nlohmann::json::parse(testing::slurp(exported.path));
    ASSERT_EQ(json["methods"].size(), 2u);
    EXPECT_EQ(json["methods"][1]["method"], "sorm");
    EXPECT_EQ(json["methods"][1]["verdict"]["text"],
              "meets RC2, 50-year loads: beta 3.8 (EN 1990 Table B2)");

    testing::TempPath file("beam.ferrolith");
    Study study;
    study.target.typed = TypedTarget{4.5, "brief"};
    testing::writeText(file.path, studyFileText(study));
    openPath = file.path;
    window.studyCommands().openAction()->trigger();
    EXPECT_EQ(window.lastRun(), nullptr);
    EXPECT_TRUE(panel().methodResults().empty());
    EXPECT_EQ(find<QTableWidget>("methodComparison")->rowCount(), 0);
    EXPECT_EQ(panel().targetIndex(), 4.5);
    EXPECT_FALSE(find<QPushButton>("runMethod")->isEnabled());
    ResultsWindow& results = window.results().window();
    EXPECT_EQ(results.findChild<QLabel*>("runStatus")->text().toStdString(),
              "Study " + std::filesystem::path(file.path).filename().string() +
                  " loaded, not run yet: press Calculate in the main window.");
    EXPECT_TRUE(results.figuresText().isEmpty());
    messages.clear();
    results.findChild<QPushButton*>("saveRecord")->click();
    results.findChild<QPushButton*>("exportResults")->click();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].prompt,
              "There is no run to record: the last run neither completed nor was aborted.");
}

}  // namespace
}  // namespace ferrolith::test
