#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "failure_statistics/failure_figures.hpp"
#include "failure_statistics/figure_text.hpp"
#include "ui/methods/design_panel.hpp"
#include "ui/methods/methods_panel.hpp"
#include "ui/results/convergence_chart.hpp"
#include "ui/results/histogram_chart.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

class QChartView;
class QGridLayout;
class QLayout;
class QLabel;
class QTableWidget;

namespace ferrolith {

// The charts of the results window.
enum class ResultsChart { Convergence, EffectResist, Margin };

// "Ferrolith Results": the failure statistics of the last run, its convergence, the
// distributions of its last repetition and the inputs at failure. It only shows what it is
// given; ResultsLink feeds it from the run.
class ResultsWindow : public QWidget {
    Q_OBJECT

  public:
    // The size it opens at where the screen has room; at about 840 pixels wide with its frame
    // it stands beside the main window on a 1600-pixel screen.
    static constexpr QSize preferredSize{820, 800};
    static constexpr int minimumWidth = 600;

    // dialogs: where its file dialogs and message boxes are asked.
    ResultsWindow(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent = nullptr);

    // The figures of the repetitions completed so far, with the convergence of the estimate.
    void showFigures(const FailureFigures& figures, std::span<const ConvergencePoint> points);
    // One more line after the advice: a finished design run's tail warning, an input out of
    // range.
    void appendAdvice(const std::string& line);
    // A study loaded and not run: its name, and no figures.
    void showNotRun(const std::string& studyName);
    // No repetition completed: where the run stands and how many repetitions it has.
    void showNoFigures(RunStatus status, int completed, int planned);
    // The samples of one repetition.
    void showDistributions(std::span<const double> effect, std::span<const double> resist,
                           int repetition, int planned);
    void clearDistributions();

    // The figures as the clipboard gets them; empty while there are none.
    QString figuresText() const { return figuresText_; }
    void copyFigures() const;
    bool saveChart(ResultsChart which, const QString& path);
    QChartView* chartView(ResultsChart which) const;
    const ConvergenceChart& convergence() const { return convergence_; }
    // The Methods tab, and the methods completed on the last run's study.
    MethodsPanel& methods() { return *methods_; }
    // The Design tab.
    DesignPanel& design() { return *design_; }
    const std::vector<reliability::MethodResult>& methodResults() const {
        return methods_->methodResults();
    }
    const Analysis& analysis() const { return analysis_.current(); }
    // How long the window took to paint its last update.
    qint64 lastPaintMs() const { return lastPaintMs_; }

  protected:
    bool event(QEvent* event) override;

  signals:
    // "Export Results..." was pressed.
    void exportRequested();
    // "Save Calculation Record..." or "Print..." (Ctrl+P) was pressed.
    void recordRequested();
    void printRequested();

  private:
    QWidget* createFiguresPanel();
    QLayout* createButtons();
    QChartView* createChartView(QChart* chart, ResultsChart which);
    void setFigureLines(const std::vector<FigureLine>& lines);
    void setImportance(const FailureFigures& figures);
    void askAndSaveChart(ResultsChart which);

    WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
    ConvergenceChart convergence_;
    HistogramChart effectResist_;
    HistogramChart margin_;
    std::array<QChartView*, 3> views_{};
    QLabel* status_;
    QGridLayout* figureGrid_;
    QLabel* advice_;
    QLabel* importanceNote_;
    QTableWidget* importance_;
    MethodsPanel* methods_;
    DesignPanel* design_;
    QString figuresText_;
    qint64 lastPaintMs_ = 0;
};

}  // namespace ferrolith
