#pragma once

#include <QWidget>

#include "ui/widgets/window_analysis.hpp"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

namespace ferrolith {

// The Methods tab's target with its basis: the reliability class (or a target typed, with its
// source), the reference period of the variable loads' laws and each load's role. It shows the
// analysis's and edits it.
class TargetControls : public QWidget {
    Q_OBJECT

  public:
    explicit TargetControls(WindowAnalysis& analysis, QWidget* parent = nullptr);

    // Shows the analysis's target, period and roles; only the user's edits go back to it.
    void showAnalysis();

  private:
    void classChosen(int index);
    void periodChosen(int index);
    void indexTyped(double index);
    void sourceTyped();
    TargetBasis typedTarget(double index) const;

    WindowAnalysis& analysis_;
    QComboBox* class_;
    QComboBox* period_;
    QDoubleSpinBox* index_;
    QLineEdit* source_;
    std::array<QComboBox*, loadVariables.size()> roles_{};
};

}  // namespace ferrolith
