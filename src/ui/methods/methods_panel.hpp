#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "reliability/method_result.hpp"
#include "ui/methods/method_worker.hpp"
#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ferrolith {

class ImportanceBars;
class TargetControls;

// The results window's Methods tab, which shows and edits the windows' analysis: FORM on the last
// run's inputs (beta, Pf, importance factors and every design point, with the system estimate
// and the warning where there are several), FORM's beta over the other reference period and the
// design values, a control that runs importance sampling, independent Monte Carlo or SORM on a
// worker thread, the target with its basis, and a table that compares every estimate of the
// analysis with its verdict.
class MethodsPanel : public QWidget {
    Q_OBJECT

  public:
    MethodsPanel(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent = nullptr);

    // The methods completed on the analysis's study, FORM first, then in the order they ended.
    const std::vector<reliability::MethodResult>& methodResults() const {
        return analysis_.current().methods();
    }

    // The target reliability index, 0 to largestTargetIndex, as the analysis holds it.
    double targetIndex() const { return analysis_.current().targetIndex(); }

    // Run: checks the sample count and starts the chosen method on the last run's inputs.
    void runChosen();
    const MethodWorker& worker() const { return worker_; }

  signals:
    // A method run from the panel has ended and its result is shown.
    void methodEnded();

  private:
    QWidget* createFormGroup();
    QWidget* createBases();
    QWidget* createRunGroup();
    QWidget* createComparisonGroup();
    QLayout* createRunControls();
    void showAnalysis();
    void showForm();
    // Every design point FORM kept, each under its title where there are several.
    void showDesignPoints(const reliability::StudyForm* form);
    void showDesignValues();
    void showComparison();
    void methodFinished();
    void setRunning(bool running);
    void chosenMethodChanged();
    reliability::Method chosenMethod() const;

    WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
    MethodWorker worker_;

    QLabel* formSummary_;
    QLabel* otherPeriod_;
    QLabel* pointsNote_;  // the system estimate and the warning where FORM found several points
    ImportanceBars* bars_;
    QTableWidget* designPoint_;
    QLabel* designValuesCaption_;
    QTableWidget* designValues_;
    QWidget* designBases_;
    std::array<QLabel*, inputVariableCount> bases_{};  // how each characteristic value is taken
    QComboBox* method_;
    QLabel* samplesLabel_;
    QLineEdit* sampleCount_;
    QLabel* targetCovLabel_;
    QLineEdit* targetCov_;  // empty: no target
    QLabel* counts_;
    QPushButton* run_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QLabel* runStatus_;
    TargetControls* target_;
    QLabel* comparisonBasis_;  // the target every verdict in the table rests on
    QTableWidget* comparison_;
    QLabel* noFigures_;     // each estimate without a figure, and why
    QLabel* disagreement_;  // the methods that disagree, and what that suggests
};

}  // namespace ferrolith
