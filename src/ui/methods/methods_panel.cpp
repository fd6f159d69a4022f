#include "ui/methods/methods_panel.hpp"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "analysis/agreement.hpp"
#include "analysis/design_points_text.hpp"
#include "analysis/design_values.hpp"
#include "analysis/period_text.hpp"
#include "analysis/verdict.hpp"
#include "failure_statistics/figure_text.hpp"
#include "report/message_text.hpp"
#include "ui/methods/importance_bars.hpp"
#include "ui/methods/method_comparison.hpp"
#include "ui/methods/target_controls.hpp"
#include "ui/widgets/focus_wheel.hpp"
#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

namespace {

using namespace reliability;
namespace rt = results_text;

// Adds widget under the name the window tests find it by.
void addNamed(QVBoxLayout& layout, QWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    layout.addWidget(widget);
}

QString figure(double x) { return text(formatFigure(x)); }
QString factorText(const std::optional<double>& factor) {
    return factor ? figure(*factor) : text(rt::noFactor);
}

QString title(Method m) { return text(rt::methodTitles[static_cast<std::size_t>(m)]); }

// An input as the Figures tab and the record name it, with its unit.
QString inputName(InputVariable v) { return text(std::string(info(v).caption)); }

// The methods the Run control offers, in its list's order. Subset simulation runs 1000 samples a
// level: one run, or with a target coefficient of variation as many as reach it.
constexpr std::array<Method, 4> runnable = {Method::ImportanceSampling,
                                            Method::IndependentMonteCarlo, Method::Sorm,
                                            Method::SubsetSimulation};

// The sampling methods that may stop on a target coefficient of variation.
bool stopsOnTarget(Method m) {
    return m == Method::ImportanceSampling || m == Method::SubsetSimulation;
}

// Importance sampling's count as typed: digits only, 1 to largestImportanceSamples.
std::optional<std::int64_t> sampleCountFrom(const QString& typed) {
    if (typed.isEmpty() || typed.size() > 10) return std::nullopt;
    for (QChar c : typed)
        if (c < QChar('0') || c > QChar('9')) return std::nullopt;
    const std::int64_t n = typed.toLongLong();
    if (n < 1 || n > largestImportanceSamples) return std::nullopt;
    return n;
}

// What ended the sampling, for the methods that sample to a count or a target.
std::optional<SamplingEnd> samplingEnd(const MethodResult& result) {
    if (const auto* a = std::get_if<ImportanceAnswer>(&result.answer); a && a->sampling)
        return a->sampling->end;
    return std::nullopt;
}

// A table no taller than its rows: a scroll area's least height, room for its scroll bar's
// arrows, would leave a blank band under one or two.
class RowsTable : public QTableWidget {
  public:
    using QTableWidget::QTableWidget;
    QSize minimumSizeHint() const override {
        return {QTableWidget::minimumSizeHint().width(), sizeHint().height()};
    }
};

// A table as tall as its rows, so that the tab scrolls as a whole, laid out as the Figures tab's:
// every column as wide as its cells, one line each, and the first (the names) taking what is
// left.
QTableWidget* fixedTable(const QStringList& heads) {
    auto* table = new RowsTable(0, static_cast<int>(heads.size()));
    table->setHorizontalHeaderLabels(heads);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    return table;
}

void setRow(QTableWidget* table, int row, const QStringList& cells) {
    for (int c = 0; c < cells.size(); ++c) {
        auto* cell = new QTableWidgetItem(cells[c]);
        if (c > 0) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(row, c, cell);
    }
}

QStringList heads(std::span<const char* const> names) {
    QStringList list;
    for (const char* name : names) list << text(name);
    return list;
}

}  // namespace

MethodsPanel::MethodsPanel(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      analysis_(analysis),
      dialogs_(dialogs),
      formSummary_(wrappedLabel()),
      otherPeriod_(wrappedLabel()),
      pointsNote_(wrappedLabel()),
      bars_(new ImportanceBars),
      designPoint_(fixedTable(heads(rt::designPointHeads))),
      designValuesCaption_(wrappedLabel()),
      designValues_(fixedTable(heads(rt::designValuesHeads))),
      designBases_(new QWidget),
      method_(new FocusWheel<QComboBox>),
      samplesLabel_(new QLabel),
      sampleCount_(new QLineEdit(QString::number(defaultImportanceSamples))),
      targetCovLabel_(new QLabel(text(rt::targetCovLabel))),
      targetCov_(new QLineEdit),
      counts_(new QLabel),
      run_(new QPushButton(text(rt::runMethod))),
      cancel_(new QPushButton(text(rt::cancelMethod))),
      progress_(new QProgressBar),
      runStatus_(wrappedLabel()),
      target_(new TargetControls(analysis)),
      comparisonBasis_(wrappedLabel()),
      comparison_(fixedTable(heads(rt::comparisonHeads))),
      noFigures_(wrappedLabel()),
      disagreement_(wrappedLabel()) {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->addWidget(createFormGroup());
    layout->addWidget(createRunGroup());
    layout->addWidget(createComparisonGroup());
    layout->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("methodsScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    connect(&worker_, &MethodWorker::progressed, this, [this](qint64 done, qint64 total) {
        progress_->setRange(0, static_cast<int>(total));
        progress_->setValue(static_cast<int>(done));
    });
    connect(&worker_, &MethodWorker::finished, this, &MethodsPanel::methodFinished);
    connect(&analysis_, &WindowAnalysis::changed, this, &MethodsPanel::showAnalysis);
    connect(&analysis_, &WindowAnalysis::replaced, this, [this] {
        if (worker_.running()) return;
        progress_->reset();
        runStatus_->clear();
    });
    showAnalysis();
}

QWidget* MethodsPanel::createFormGroup() {
    auto* group = new QGroupBox(text(rt::formCaption));
    auto* layout = new QVBoxLayout(group);
    addNamed(*layout, formSummary_, "formSummary");
    addNamed(*layout, otherPeriod_, "formOtherPeriod");
    addNamed(*layout, pointsNote_, "designPointsNote");
    auto* barsCaption = wrappedLabel();
    barsCaption->setText(text(rt::importanceBarsCaption));
    layout->addWidget(barsCaption);
    addNamed(*layout, bars_, "importanceBars");
    addNamed(*layout, designPoint_, "designPoint");
    addNamed(*layout, designValuesCaption_, "designValuesCaption");
    addNamed(*layout, designValues_, "designValues");
    layout->addWidget(createBases());
    return group;
}

// Under the design values, as the record has them: how each input's characteristic value is
// taken, input by input.
QWidget* MethodsPanel::createBases() {
    designBases_->setObjectName(QStringLiteral("designBases"));
    auto* grid = new QGridLayout(designBases_);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < bases_.size(); ++i) {
        const int row = static_cast<int>(i);
        grid->addWidget(
            new QLabel(text(rt::designValueBasis).arg(inputName(inputVariables[i].variable))), row,
            0);
        bases_[i] = wrappedLabel();
        bases_[i]->setObjectName(QStringLiteral("basis") +
                                 text(std::string(inputVariables[i].name)));
        grid->addWidget(bases_[i], row, 1);
    }
    grid->setColumnStretch(1, 1);
    return designBases_;
}

QWidget* MethodsPanel::createRunGroup() {
    auto* group = new QGroupBox(text(rt::runCaption));
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(createRunControls());
    auto* progressRow = new QHBoxLayout;
    run_->setObjectName(QStringLiteral("runMethod"));
    cancel_->setObjectName(QStringLiteral("cancelMethod"));
    progress_->setObjectName(QStringLiteral("methodProgress"));
    progressRow->addWidget(run_);
    progressRow->addWidget(cancel_);
    progressRow->addWidget(progress_, 1);
    layout->addLayout(progressRow);
    runStatus_->setObjectName(QStringLiteral("methodStatus"));
    runStatus_->setText(text(rt::noRunForMethods));
    layout->addWidget(runStatus_);
    connect(run_, &QPushButton::clicked, this, &MethodsPanel::runChosen);
    connect(cancel_, &QPushButton::clicked, this, [this] { worker_.cancel(); });
    return group;
}

QLayout* MethodsPanel::createRunControls() {
    for (Method m : runnable) method_->addItem(title(m));
    method_->setObjectName(QStringLiteral("methodChoice"));
    method_->setFocusPolicy(Qt::StrongFocus);
    sampleCount_->setObjectName(QStringLiteral("methodSamples"));
    counts_->setObjectName(QStringLiteral("methodCounts"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(text(rt::methodLabel)), 0, 0);
    grid->addWidget(method_, 0, 1);
    samplesLabel_->setText(text(rt::samplesLabel));
    grid->addWidget(samplesLabel_, 1, 0);
    auto* samplesRow = new QHBoxLayout;
    samplesRow->addWidget(sampleCount_);
    targetCov_->setObjectName(QStringLiteral("methodTargetCov"));
    targetCov_->setPlaceholderText(text(rt::noTargetCov));
    targetCov_->setToolTip(text(rt::targetCovTip));
    targetCovLabel_->setBuddy(targetCov_);
    samplesRow->addWidget(targetCovLabel_);
    samplesRow->addWidget(targetCov_);
    samplesRow->addWidget(counts_);
    samplesRow->addStretch(1);
    grid->addLayout(samplesRow, 1, 1);
    grid->setColumnStretch(1, 1);
    connect(method_, &QComboBox::currentIndexChanged, this, &MethodsPanel::chosenMethodChanged);
    chosenMethodChanged();
    return grid;
}

QWidget* MethodsPanel::createComparisonGroup() {
    auto* group = new QGroupBox(text(rt::comparisonCaption));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(target_);
    addNamed(*layout, comparisonBasis_, "comparisonBasis");
    addNamed(*layout, comparison_, "methodComparison");
    addNamed(*layout, noFigures_, "methodsWithoutFigures");
    addNamed(*layout, disagreement_, "methodDisagreement");
    return group;
}

Method MethodsPanel::chosenMethod() const {
    return runnable[static_cast<std::size_t>(std::max(0, method_->currentIndex()))];
}

void MethodsPanel::chosenMethodChanged() {
    const Method m = chosenMethod();
    samplesLabel_->setVisible(m == Method::ImportanceSampling ||
                              m == Method::IndependentMonteCarlo);
    sampleCount_->setVisible(m == Method::ImportanceSampling);
    targetCovLabel_->setVisible(stopsOnTarget(m));
    targetCov_->setVisible(stopsOnTarget(m));
    counts_->setVisible(m == Method::IndependentMonteCarlo);
}

void MethodsPanel::showAnalysis() {
    const Analysis& a = analysis_.current();
    target_->showAnalysis();
    if (const auto& design = a.design())
        counts_->setText(
            text(rt::countsOfRun).arg(design->run.plannedRepetitions).arg(design->run.sampleSize));
    if (!worker_.running() && !a.design()) runStatus_->setText(text(rt::noRunForMethods));
    showForm();
    showComparison();
    setRunning(worker_.running());
}

void MethodsPanel::showForm() {
    const Analysis& a = analysis_.current();
    const auto& form = a.form();
    if (!form) {
        formSummary_->setText(text(a.design() ? rt::formUnreadable : rt::formPending));
    } else if (form->form.fault) {
        formSummary_->setText(text(rt::formFault).arg(text(form->form.message)));
    } else {
        const FormResult& f = form->form;
        const QString how =
            f.converged ? text(rt::formConverged) : text(rt::formNotConverged).arg(text(f.message));
        const JudgedEstimate judged = a.judged(formEstimate(*form, a.formSeconds()));
        formSummary_->setText(text(rt::formSummary)
                                  .arg(figure(f.beta), figure(f.failureProbability), how,
                                       text(formatCount(f.evaluations)),
                                       text(verdictText(judged.verdict, a.target()))));
    }
    const bool converged = form && form->form.converged;
    otherPeriod_->setVisible(converged);
    if (converged)
        otherPeriod_->setText(text(rt::otherPeriodLine)
                                  .arg(text(otherPeriodLabel(form->otherPeriod)),
                                       text(otherPeriodText(form->otherPeriod))));
    pointsNote_->setText(form ? text(designPointsNote(form->form)) : QString());
    pointsNote_->setVisible(!pointsNote_->text().isEmpty());
    showDesignPoints(form ? &*form : nullptr);
    showDesignValues();
}

void MethodsPanel::showDesignValues() {
    const Analysis& a = analysis_.current();
    const auto values = a.form() ? designValues(a.study(), *a.form()) : std::nullopt;
    designValuesCaption_->setVisible(values.has_value());
    designValues_->setVisible(values.has_value());
    designBases_->setVisible(values.has_value());
    designValues_->setRowCount(values ? static_cast<int>(values->inputs.size()) : 0);
    if (!values) return;
    designValuesCaption_->setText(
        text(rt::designValuesCaption).arg(text(designValuesCaption(*values, a.target()))));
    for (int row = 0; row < static_cast<int>(values->inputs.size()); ++row) {
        const InputDesignValues& input = values->inputs[static_cast<std::size_t>(row)];
        setRow(designValues_, row,
               {inputName(input.variable), figure(input.characteristic),
                figure(input.atDesignPoint), factorText(input.factorAtDesignPoint),
                figure(input.atTarget), factorText(input.factorAtTarget)});
        bases_[static_cast<std::size_t>(row)]->setText(text(input.basis));
    }
}

void MethodsPanel::showDesignPoints(const StudyForm* form) {
    const std::vector<BeamDesignPoint> none;
    const std::vector<BeamDesignPoint>& points = form ? form->designPoints : none;
    const bool titled = points.size() > 1;
    designPoint_->clearSpans();
    designPoint_->setRowCount(0);
    designPoint_->setVisible(!points.empty());
    bars_->setVisible(!points.empty());
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (titled) {
            // The point's title across the table, above its inputs.
            const int row = designPoint_->rowCount();
            designPoint_->insertRow(row);
            designPoint_->setItem(row, 0, new QTableWidgetItem(text(designPointTitle(*form, i))));
            designPoint_->setSpan(row, 0, 1, designPoint_->columnCount());
        }
        for (const InputDesignPoint& input : points[i].inputs) {
            const int row = designPoint_->rowCount();
            designPoint_->insertRow(row);
            setRow(designPoint_, row,
                   {inputName(input.variable), figure(input.value),
                    text(formatFigureList(input.standard)), text(formatFigureList(input.alpha)),
                    figure(input.importance)});
        }
    }
    // The bars are of the nearest point, the one FORM's beta is of.
    std::vector<ImportanceBars::Bar> bars;
    if (!points.empty())
        for (const InputDesignPoint& input : points.front().inputs)
            bars.push_back({inputName(input.variable), input.importance});
    bars_->setBars(std::move(bars));
}

void MethodsPanel::showComparison() {
    comparisonBasis_->setText(
        text(rt::comparisonBasis).arg(text(basisText(analysis_.current().target()))));
    const auto rows = comparisonRows(analysis_.current());
    comparison_->setRowCount(static_cast<int>(rows.size()));
    QStringList whys;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const ComparisonRow& row = rows[static_cast<std::size_t>(r)];
        setRow(comparison_, r, QStringList(row.cells.begin(), row.cells.end()));
        const int verdictColumn = static_cast<int>(row.cells.size()) - 1;
        comparison_->item(r, verdictColumn)->setToolTip(row.verdict);
        if (!row.why.isEmpty()) {
            comparison_->item(r, 1)->setToolTip(row.why);
            whys.push_back(text(rt::comparisonWhy).arg(row.cells[0], row.why));
        }
    }
    noFigures_->setText(whys.join(QLatin1Char('\n')));
    noFigures_->setVisible(!whys.isEmpty());
    QStringList lines;
    for (const Disagreement& d : disagreements(analysis_.current().estimates()))
        lines.push_back(text(d.text));
    disagreement_->setText(lines.join(QLatin1Char('\n')));
    disagreement_->setVisible(!lines.isEmpty());
}

void MethodsPanel::runChosen() {
    const Analysis& a = analysis_.current();
    if (!a.design() || worker_.running()) return;
    MethodOptions options{chosenMethod(), defaultImportanceSamples};
    if (options.method == Method::ImportanceSampling) {
        const auto count = sampleCountFrom(sampleCount_->text());
        if (!count) {
            dialogs_.tell(window(), text(rt::badImportanceSamples)
                                        .arg(text(quotedText(sampleCount_->text().toStdString())))
                                        .arg(largestImportanceSamples)
                                        .toStdString());
            return;
        }
        options.importanceSamples = *count;
    }
    const QString typedTarget = targetCov_->text();
    if (stopsOnTarget(options.method) && !typedTarget.isEmpty()) {
        options.targetCov = targetCovFrom(typedTarget.toStdString());
        if (!options.targetCov) {
            dialogs_.tell(window(), text(rt::badTargetCov)
                                        .arg(text(quotedText(typedTarget.toStdString())))
                                        .toStdString());
            return;
        }
    }
    progress_->setRange(0, 1);
    progress_->setValue(0);
    runStatus_->setText(text(rt::methodRunning).arg(title(options.method)));
    worker_.start(RunRequest{a.study(), RunOptions{}}, options);
    setRunning(true);
}

void MethodsPanel::methodFinished() {
    const MethodResult& result = worker_.result();
    for (const std::string& message : worker_.messages()) dialogs_.tell(window(), message);
    const QString name = title(result.method());
    switch (result.outcome) {
        case RunOutcome::Completed:
            if (result.notConverged())
                runStatus_->setText(text(rt::methodNotConverged).arg(name));
            else if (const auto end = samplingEnd(result))
                runStatus_->setText(text(rt::samplingDone)
                                        .arg(name, figure(result.elapsed),
                                             text(std::string(samplingEndText(*end)))));
            else
                runStatus_->setText(text(rt::methodDone).arg(name, figure(result.elapsed)));
            // A method that ended after a run of other inputs belongs to none shown.
            analysis_.addMethod(result);
            // SORM tells no progress of its own, and a target may end sampling before its cap.
            progress_->setValue(progress_->maximum());
            break;
        case RunOutcome::Stopped:
            runStatus_->setText(text(rt::methodCancelled).arg(name));
            break;
        case RunOutcome::Aborted:
            runStatus_->setText(text(rt::methodAborted).arg(name));
            break;
        case RunOutcome::Failed:
            runStatus_->clear();
            break;
    }
    setRunning(false);
    emit methodEnded();
}

void MethodsPanel::setRunning(bool running) {
    // The focus goes with the run, from Run to Cancel and back. The button taking it is enabled
    // first: the other, disabled with the focus, would pass it on to the next box in the tab.
    QPushButton* const taking = running ? cancel_ : run_;
    QPushButton* const leaving = running ? run_ : cancel_;
    const bool hadFocus = window()->focusWidget() == leaving;
    taking->setEnabled(running || analysis_.current().design().has_value());
    if (hadFocus && taking->isEnabled()) taking->setFocus(Qt::OtherFocusReason);
    leaving->setEnabled(false);
    method_->setEnabled(!running);
    sampleCount_->setEnabled(!running);
    targetCov_->setEnabled(!running);
}

}  // namespace ferrolith
