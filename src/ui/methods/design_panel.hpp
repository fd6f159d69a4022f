#pragma once

#include <QWidget>

#include "ui/methods/design_curve_chart.hpp"
#include "ui/methods/design_worker.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ferrolith {

// The results window's Design tab: the input, what stays fixed as it moves and the range of its
// first number; Run searches on the last run's inputs on a worker thread for the value at which
// FORM's beta meets the analysis's target, and the tab shows the analysis's design: the value
// found with its check (or that the target is out of reach, with the best value in the range)
// and the beta curve with the target and the point.
class DesignPanel : public QWidget {
    Q_OBJECT

  public:
    DesignPanel(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent = nullptr);

    // Run: reads the controls and starts the search unless one is under way.
    void runDesign();
    const DesignWorker& worker() const { return worker_; }
    const DesignCurveChart& curve() const { return curve_; }
    QChartView* chartView() const { return view_; }

  signals:
    // A search run from the panel has ended and what it gave is shown.
    void designEnded();

  private:
    QLayout* createControls();
    // The range as typed: none for both boxes empty; false when it is no range.
    bool typedRange(std::optional<DesignRange>& range) const;
    void showAnalysis();
    void designFinished();
    void setRunning(bool running);

    WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
    DesignWorker worker_;
    DesignCurveChart curve_;
    QComboBox* input_;
    QComboBox* keep_;
    QLineEdit* from_;
    QLineEdit* to_;
    QPushButton* run_;
    QLabel* status_;
    QLabel* lines_;
    QChartView* view_;
};

}  // namespace ferrolith
