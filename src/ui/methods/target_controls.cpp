#include "ui/methods/target_controls.hpp"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ui/widgets/focus_wheel.hpp"
#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

namespace {

namespace rt = results_text;

// The class list's last item: a target typed instead of the table's.
constexpr int typedItem = static_cast<int>(reliabilityClassNames.size());

QComboBox* choice(const char* name) {
    auto* box = new FocusWheel<QComboBox>;
    box->setObjectName(QString::fromUtf8(name));
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

}  // namespace

TargetControls::TargetControls(WindowAnalysis& analysis, QWidget* parent)
    : QWidget(parent),
      analysis_(analysis),
      class_(choice("reliabilityClass")),
      period_(choice("referencePeriod")),
      index_(new FocusWheel<QDoubleSpinBox>),
      source_(new QLineEdit) {
    for (std::string_view name : reliabilityClassNames) class_->addItem(text(std::string(name)));
    class_->addItem(text(rt::typedTargetItem));
    for (const char* item : rt::periodItems) period_->addItem(text(item));
    index_->setObjectName(QStringLiteral("targetIndex"));
    index_->setFocusPolicy(Qt::StrongFocus);
    index_->setRange(0.0, largestTargetIndex);
    index_->setDecimals(2);
    index_->setSingleStep(0.1);
    index_->setValue(defaultTargetIndex);
    source_->setObjectName(QStringLiteral("targetSource"));
    source_->setPlaceholderText(text(rt::typedSource));

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(text(rt::classLabel)), 0, 0);
    grid->addWidget(class_, 0, 1);
    grid->addWidget(new QLabel(text(rt::periodLabel)), 0, 2);
    grid->addWidget(period_, 0, 3);
    grid->addWidget(new QLabel(text(rt::targetLabel)), 1, 0);
    grid->addWidget(index_, 1, 1);
    grid->addWidget(new QLabel(text(rt::sourceLabel)), 1, 2);
    grid->addWidget(source_, 1, 3);
    for (std::size_t i = 0; i < loadVariables.size(); ++i) {
        const InputVariable load = loadVariables[i];
        roles_[i] = choice(i == 0 ? "pointLoadRole" : "udlRole");
        for (std::string_view role : loadRoleNames) roles_[i]->addItem(text(std::string(role)));
        grid->addWidget(new QLabel(text(std::string(info(load).caption) + ":")), 2,
                        2 * static_cast<int>(i));
        grid->addWidget(roles_[i], 2, 2 * static_cast<int>(i) + 1);
        connect(roles_[i], &QComboBox::currentIndexChanged, this, [this, load](int role) {
            analysis_.setLoadRole(load, static_cast<LoadRole>(role));
        });
    }
    grid->setColumnStretch(3, 1);

    connect(class_, &QComboBox::currentIndexChanged, this, &TargetControls::classChosen);
    connect(period_, &QComboBox::currentIndexChanged, this, &TargetControls::periodChosen);
    connect(index_, &QDoubleSpinBox::valueChanged, this, &TargetControls::indexTyped);
    connect(source_, &QLineEdit::editingFinished, this, &TargetControls::sourceTyped);
    showAnalysis();
}

TargetBasis TargetControls::typedTarget(double index) const {
    TargetBasis target = analysis_.current().target();
    const QString source = source_->text().trimmed();
    target.typed =
        TypedTarget{index, source.isEmpty() ? std::string(rt::typedSource) : source.toStdString()};
    return target;
}

void TargetControls::classChosen(int index) {
    if (index == typedItem) {
        analysis_.setTarget(typedTarget(index_->value()));
        return;
    }
    TargetBasis target = analysis_.current().target();
    target.reliabilityClass = static_cast<ReliabilityClass>(index);
    target.typed.reset();
    analysis_.setTarget(target);
}

void TargetControls::periodChosen(int index) {
    TargetBasis target = analysis_.current().target();
    target.period = static_cast<ReferencePeriod>(index);
    analysis_.setTarget(target);
}

// Typing an index makes the target a typed one.
void TargetControls::indexTyped(double index) { analysis_.setTarget(typedTarget(index)); }

void TargetControls::sourceTyped() {
    const TargetBasis& target = analysis_.current().target();
    if (target.typed) analysis_.setTarget(typedTarget(target.typed->index));
}

void TargetControls::showAnalysis() {
    const Study& study = analysis_.current().study();
    const TargetBasis& target = study.target;
    const QSignalBlocker quietClass(class_), quietPeriod(period_), quietIndex(index_);
    class_->setCurrentIndex(target.typed ? typedItem : static_cast<int>(target.reliabilityClass));
    period_->setCurrentIndex(static_cast<int>(target.period));
    index_->setValue(target.index());
    if (target.typed) source_->setText(text(target.typed->source));
    for (std::size_t i = 0; i < loadVariables.size(); ++i) {
        const QSignalBlocker quietRole(roles_[i]);
        roles_[i]->setCurrentIndex(static_cast<int>(roleOf(study, loadVariables[i])));
    }
}

}  // namespace ferrolith
