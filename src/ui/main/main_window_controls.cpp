#include "ui/main/main_window_controls.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "model/default_counts.hpp"
#include "ui/widgets/fit_caption.hpp"
#include "ui/widgets/twips.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {
namespace {

QString indexedName(const char* family, int i) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(family)).arg(i);
}

template <typename Control>
Control* place(QWidget& parent, const QString& name, const QRect& geometry) {
    auto* control = new Control(&parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QLabel* placeLabel(QWidget& parent, const QString& name, const QRect& geometry,
                   const QString& caption) {
    auto* label = place<QLabel>(parent, name, geometry);
    label->setText(caption);
    fitCaption(*label);
    return label;
}

QLineEdit* placeTextBox(QWidget& parent, const QString& name, const QRect& geometry,
                        const QString& text) {
    auto* box = place<QLineEdit>(parent, name, geometry);
    box->setText(text);
    return box;
}

void createInputFrames(QWidget& window, MainWindowControls& c) {
    for (int i = 0; i < inputVariableCount; ++i) {
        const InputVariableInfo& input = inputVariables[static_cast<std::size_t>(i)];
        auto* frame = place<QGroupBox>(window, indexedName("Frame1", i),
                                       twipsRect(240, 1080 * (i + 1), 5175, 855));
        frame->setTitle(toWidgetText(input.caption));
        c.Frame1[i] = frame;
        c.lblParam[i] = placeLabel(*frame, indexedName("lblParam", i),
                                   twipsRect(240, 360, 1095, 255), QStringLiteral("Parameters"));
        c.txtParam[i] =
            placeTextBox(*frame, indexedName("txtParam", i), twipsRect(1440, 360, 975, 285),
                         toWidgetText(input.defaultText));
        c.lblDist[i] = placeLabel(*frame, indexedName("lblDist", i), twipsRect(2760, 360, 975, 255),
                                  QStringLiteral("Distribution"));
        c.cmbDist[i] =
            place<QComboBox>(*frame, indexedName("cmbDist", i), twipsRect(3720, 360, 1215, 315));
    }
}

void createRunControls(QWidget& window, MainWindowControls& c) {
    c.Label2 = placeLabel(window, QStringLiteral("Label2"), twipsRect(5760, 1320, 1215, 255),
                          QStringLiteral("No. Repititions"));
    c.txtRepititions =
        placeTextBox(window, QStringLiteral("txtRepititions"), twipsRect(7200, 1320, 735, 285),
                     toWidgetText(defaultRepetitionsText));
    c.Label1 = placeLabel(window, QStringLiteral("Label1"), twipsRect(9000, 1320, 975, 255),
                          QStringLiteral("Sample Size"));
    c.txtSampleSize =
        placeTextBox(window, QStringLiteral("txtSampleSize"), twipsRect(10200, 1320, 735, 285),
                     toWidgetText(defaultSampleSizeText));

    c.btmCalc =
        place<QPushButton>(window, QStringLiteral("btmCalc"), twipsRect(5760, 1800, 1455, 495));
    c.btmCalc->setText(QStringLiteral("Calculate"));
    c.btmCalc->setAutoDefault(true);  // Enter and Return press it while it has the focus

    c.pb = place<QProgressBar>(window, QStringLiteral("pb"), twipsRect(7440, 2040, 2775, 255));
    c.pb->setRange(0, 100);
    c.pb->setValue(0);
    c.pb->setTextVisible(false);  // lblBar beside it carries the figures
    c.lblBar = placeLabel(window, QStringLiteral("lblBar"), twipsRect(10320, 2040, 615, 255),
                          QStringLiteral("0/100"));

    c.txtReport = place<QPlainTextEdit>(window, QStringLiteral("txtReport"),
                                        twipsRect(5760, 2520, 5175, 5895));
    c.txtReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.txtReport->setTabChangesFocus(true);
    c.txtReport->setPlainText(QString::fromLatin1(initialReportText));
}

void setFocusOrder(MainWindowControls& c) {
    using V = InputVariable;
    auto at = [](auto& family, V v) { return family[static_cast<std::size_t>(v)]; };
    const std::array<QWidget*, 18> order{
        at(c.txtParam, V::BeamLength),
        at(c.cmbDist, V::BeamLength),
        at(c.cmbDist, V::BeamWidth),
        at(c.txtParam, V::BeamWidth),
        at(c.cmbDist, V::BeamDepth),
        at(c.txtParam, V::BeamDepth),
        at(c.cmbDist, V::AllowableStress),
        at(c.txtParam, V::AllowableStress),
        at(c.cmbDist, V::PointLoadLocation),
        at(c.txtParam, V::PointLoadLocation),
        at(c.txtParam, V::PointLoadValue),
        at(c.cmbDist, V::PointLoadValue),
        at(c.txtParam, V::UdlValue),
        at(c.cmbDist, V::UdlValue),
        c.txtReport,
        c.btmCalc,
        c.txtSampleSize,
        c.txtRepititions,
    };
    for (std::size_t k = 1; k < order.size(); ++k) QWidget::setTabOrder(order[k - 1], order[k]);
    order.front()->setFocus();
}

}  // namespace

MainWindowControls createMainWindowControls(QWidget& window) {
    MainWindowControls controls;
    createInputFrames(window, controls);
    createRunControls(window, controls);
    setFocusOrder(controls);
    return controls;
}

}  // namespace ferrolith
