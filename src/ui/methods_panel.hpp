#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "model/run_result.hpp"
#include "reliability/method_result.hpp"
#include "ui/method_comparison.hpp"
#include "ui/method_worker.hpp"
#include "ui/window_dialogs.hpp"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ferrolith {

class ImportanceBars;

// The results window's Methods tab: FORM on the last run's inputs (beta, Pf, importance factors
// and the design point), a control that runs importance sampling, independent Monte Carlo or
// SORM on a worker thread, and a table that compares every method run on the study with the
// design run and the target reliability index.
class MethodsPanel : public QWidget {
    Q_OBJECT

  public:
    explicit MethodsPanel(WindowDialogs& dialogs, QWidget* parent = nullptr);

    // A design run ended with figures; form is FORM on its inputs (none when a parameter text
    // does not convert). A run of other inputs than the last clears the methods run on those.
    void showDesignRun(const RunResult& run, std::optional<reliability::MethodResult> form);

    // The methods completed on the last run's study, FORM first, then in the order they ended.
    const std::vector<reliability::MethodResult>& methodResults() const { return results_; }

    // The target reliability index, 0 to largestTargetIndex; a study holds it.
    double targetIndex() const;
    void setTargetIndex(double target);

    // Run: checks the sample count and starts the chosen method on the last run's inputs.
    void runChosen();
    const MethodWorker& worker() const { return worker_; }

  signals:
    // A method run from the panel has ended and its result is shown.
    void methodEnded();

  private:
    QWidget* createFormGroup();
    QWidget* createRunGroup();
    QWidget* createComparisonGroup();
    QLayout* createRunControls();
    void showForm();
    void showDesignPoint(const reliability::BeamDesignPoint* point);
    void showComparison();
    void methodFinished();
    void keepResult(const reliability::MethodResult& result);
    void setRunning(bool running);
    void chosenMethodChanged();
    reliability::Method chosenMethod() const;

    WindowDialogs& dialogs_;
    MethodWorker worker_;
    std::optional<Study> study_;  // the last design run's, with its seed
    std::optional<DesignEstimate> design_;
    std::optional<reliability::MethodResult> designForm_;
    std::vector<reliability::MethodResult> results_;
    int repetitions_ = 0;
    int samples_ = 0;

    QLabel* formSummary_;
    ImportanceBars* bars_;
    QTableWidget* designPoint_;
    QComboBox* method_;
    QLabel* samplesLabel_;
    QLineEdit* sampleCount_;
    QLabel* counts_;
    QPushButton* run_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    QLabel* runStatus_;
    QDoubleSpinBox* target_;
    QTableWidget* comparison_;
};

}  // namespace ferrolith
