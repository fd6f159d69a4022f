#include "ui/methods/design_panel.hpp"

#include <QChartView>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/design_for_target_text.hpp"
#include "failure_statistics/figure_text.hpp"
#include "model/parse_parameter.hpp"
#include "report/message_text.hpp"
#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

namespace rt = results_text;

namespace {

// Tall enough to read the curve, short enough for a 768-pixel screen.
constexpr int chartMinimumHeight = 260;

}  // namespace

DesignPanel::DesignPanel(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      analysis_(analysis),
      dialogs_(dialogs),
      input_(new QComboBox),
      keep_(new QComboBox),
      from_(new QLineEdit),
      to_(new QLineEdit),
      run_(new QPushButton(text(rt::runDesign))),
      status_(wrappedLabel()),
      lines_(wrappedLabel()),
      view_(new QChartView(curve_.chart())) {
    setObjectName(QStringLiteral("designPanel"));
    auto* group = new QGroupBox(text(rt::designCaption));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(createControls());
    status_->setObjectName(QStringLiteral("designStatus"));
    layout->addWidget(status_);
    lines_->setObjectName(QStringLiteral("designLines"));
    lines_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lines_);
    view_->setObjectName(QStringLiteral("designChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setMinimumHeight(chartMinimumHeight);
    layout->addWidget(view_, 1);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(group, 1);

    connect(run_, &QPushButton::clicked, this, &DesignPanel::runDesign);
    connect(&worker_, &DesignWorker::finished, this, &DesignPanel::designFinished);
    connect(&analysis_, &WindowAnalysis::changed, this, &DesignPanel::showAnalysis);
    connect(&analysis_, &WindowAnalysis::replaced, this, [this] {
        if (!worker_.running()) status_->clear();
    });
    showAnalysis();
}

QLayout* DesignPanel::createControls() {
    for (const InputVariableInfo& v : inputVariables) input_->addItem(text(std::string(v.caption)));
    input_->setCurrentIndex(static_cast<int>(InputVariable::BeamDepth));
    input_->setObjectName(QStringLiteral("designInput"));
    for (const char* item : rt::designKeepItems) keep_->addItem(text(item));
    keep_->setObjectName(QStringLiteral("designKeep"));
    // Long items must not widen the window past its minimum: the lists open wide enough.
    for (QComboBox* list : {input_, keep_}) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(12);
    }
    for (QLineEdit* box : {from_, to_}) {
        box->setPlaceholderText(text(rt::designDefaultRange));
        box->setToolTip(text(rt::designRangeTip));
        box->setMaximumWidth(90);
    }
    from_->setObjectName(QStringLiteral("designFrom"));
    to_->setObjectName(QStringLiteral("designTo"));
    run_->setObjectName(QStringLiteral("runDesign"));

    auto* rows = new QVBoxLayout;
    auto* first = new QHBoxLayout;
    first->addWidget(new QLabel(text(rt::designInputLabel)));
    first->addWidget(input_, 1);
    first->addWidget(new QLabel(text(rt::designKeepLabel)));
    first->addWidget(keep_, 1);
    rows->addLayout(first);
    auto* second = new QHBoxLayout;
    second->addWidget(new QLabel(text(rt::designRangeLabel)));
    second->addWidget(from_);
    second->addWidget(new QLabel(text(rt::designRangeTo)));
    second->addWidget(to_);
    second->addStretch(1);
    second->addWidget(run_);
    rows->addLayout(second);
    return rows;
}

bool DesignPanel::typedRange(std::optional<DesignRange>& range) const {
    range.reset();
    if (from_->text().trimmed().isEmpty() && to_->text().trimmed().isEmpty()) return true;
    const auto lower = convertNumber(from_->text().toStdString());
    const auto upper = convertNumber(to_->text().toStdString());
    if (!lower || !upper || !(*lower < *upper)) return false;
    range = DesignRange{*lower, *upper};
    return true;
}

void DesignPanel::runDesign() {
    const Analysis& a = analysis_.current();
    if (!a.design() || worker_.running()) return;
    DesignRequest request;
    request.input = static_cast<InputVariable>(input_->currentIndex());
    request.keep = static_cast<KeptSpread>(keep_->currentIndex());
    if (!typedRange(request.range)) {
        dialogs_.tell(window(), text(rt::badDesignRange)
                                    .arg(text(quotedText(from_->text().toStdString())),
                                         text(quotedText(to_->text().toStdString())))
                                    .toStdString());
        return;
    }
    if (const auto problem = designRequestProblem(a.study(), request)) {
        status_->setText(text(*problem));
        return;
    }
    status_->setText(text(rt::designRunning).arg(input_->currentText()));
    worker_.start(a.study(), request);
    setRunning(true);
}

void DesignPanel::designFinished() {
    if (!worker_.failure().empty())
        status_->setText(text(worker_.failure()));
    else if (!analysis_.setDesignForTarget(worker_.study(), *worker_.result()))
        status_->setText(text(rt::designOtherInputs));
    else
        status_->setText(text(rt::designDone).arg(text(formatFigure(worker_.seconds()))));
    setRunning(false);
    emit designEnded();
}

void DesignPanel::showAnalysis() {
    const Analysis& a = analysis_.current();
    const auto& design = a.designForTarget();
    QStringList lines;
    if (design)
        for (const std::string& line : designForTargetLines(*design)) lines << text(line);
    lines_->setText(lines.join(QLatin1Char('\n')));
    curve_.show(design ? &*design : nullptr);
    if (!worker_.running() && !a.design()) status_->setText(text(rt::noRunForDesign));
    setRunning(worker_.running());
}

void DesignPanel::setRunning(bool running) {
    run_->setEnabled(!running && analysis_.current().design().has_value());
    for (QWidget* control : {static_cast<QWidget*>(input_), static_cast<QWidget*>(keep_),
                             static_cast<QWidget*>(from_), static_cast<QWidget*>(to_)})
        control->setEnabled(!running);
}

}  // namespace ferrolith
