#pragma once

#include <array>

#include "model/input_variable.hpp"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace ferrolith {

// The controls of the main window; the per-variable families are indexed by InputVariable.
struct MainWindowControls {
    std::array<QGroupBox*, inputVariableCount> Frame1{};
    std::array<QLabel*, inputVariableCount> lblParam{};
    std::array<QLineEdit*, inputVariableCount> txtParam{};
    std::array<QLabel*, inputVariableCount> lblDist{};
    std::array<QComboBox*, inputVariableCount> cmbDist{};

    QLabel* Label2 = nullptr;
    QLineEdit* txtRepititions = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtSampleSize = nullptr;
    QPushButton* btmCalc = nullptr;
    QProgressBar* pb = nullptr;
    QLabel* lblBar = nullptr;
    QPlainTextEdit* txtReport = nullptr;
};

// Creates every control on window at its fixed place with its initial content, and sets the
// keyboard focus order. The distribution lists stay empty until Form_Load fills them.
MainWindowControls createMainWindowControls(QWidget& window);

// The first line of the report area before the first run, and the two after it.
inline constexpr const char* initialReportText =
    "Ferrolith By Dalvenor\n"
    "https://ferrolith.example.org\n"
    "Using the Mote Carlo Simulation Method\n";

}  // namespace ferrolith
