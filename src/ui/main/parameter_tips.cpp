#include "ui/main/parameter_tips.hpp"

#include <QComboBox>
#include <QLineEdit>

#include "ui/main/main_window_controls.hpp"

namespace ferrolith {

const char* parameterTip(std::string_view distribution) {
    // The sampler compares whole names, case and all; anything else is Normal.
    if (distribution == "Log-Normal") return parameter_tip::logNormal;
    if (distribution == "Gamma") return parameter_tip::gamma;
    if (distribution == "Gumbel") return parameter_tip::gumbel;
    if (distribution == "Poisson") return parameter_tip::poisson;
    if (distribution == "Others to follow") return parameter_tip::othersToFollow;
    if (distribution.empty()) return parameter_tip::noChoice;
    return parameter_tip::normal;
}

QString parameterToolTip(std::string_view distribution) {
    // As rich text, so that the tip wraps to a readable width instead of one long line.
    return QStringLiteral("<p>%1</p>")
        .arg(QString::fromUtf8(parameterTip(distribution)).toHtmlEscaped());
}

void installParameterTips(const MainWindowControls& controls) {
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        QComboBox* list = controls.cmbDist[i];
        QLineEdit* box = controls.txtParam[i];
        const auto follow = [list, box] {
            const QString tip = parameterToolTip(list->currentText().toStdString());
            list->setToolTip(tip);
            box->setToolTip(tip);
        };
        QObject::connect(list, &QComboBox::currentTextChanged, list, follow);
        follow();
    }
}

}  // namespace ferrolith
