#pragma once

#include <QGroupBox>
#include <array>

#include "ui/widgets/window_analysis.hpp"
#include "ui/widgets/window_dialogs.hpp"

class QLineEdit;

namespace ferrolith {

// The record's project, engineer and checker, edited in the study the windows hold: a field
// finished with Return or by leaving it sets them, and every change of the analysis shows its
// own. A text that cannot be a field is refused in one message and the field shows what it was.
class ProjectForm : public QGroupBox {
    Q_OBJECT

  public:
    ProjectForm(WindowAnalysis& analysis, WindowDialogs& dialogs);

    QLineEdit& field(ProjectField which) const { return *fields_[static_cast<std::size_t>(which)]; }

  private:
    void showDetails();
    void edited(ProjectField which);

    WindowAnalysis& analysis_;
    WindowDialogs& dialogs_;
    std::array<QLineEdit*, projectFieldNames.size()> fields_{};
};

}  // namespace ferrolith
