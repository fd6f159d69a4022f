#include "ui/results_window.hpp"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "failure_statistics/figure_text.hpp"
#include "report/save_error_message.hpp"
#include "ui/chart_export.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

constexpr int histogramBins = 60;

QString text(const char* s) { return QString::fromUtf8(s); }
QString text(const std::string& s) { return QString::fromStdString(s); }

QLabel* wrappedLabel() {
    auto* label = new QLabel;
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ResultsWindow::ResultsWindow(WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      effectResist_(text(results_text::effectResistTitle),
                    {{text(results_text::effectSeries), QColor(200, 90, 20)},
                     {text(results_text::resistSeries), QColor(30, 110, 180)}},
                    std::nullopt),
      margin_(text(results_text::marginTitle),
              {{text(results_text::marginSeries), QColor(60, 140, 60)}},
              HistogramChart::Marker{text(results_text::thresholdSeries), 0.0}),
      status_(wrappedLabel()),
      figureGrid_(new QGridLayout),
      advice_(wrappedLabel()),
      importanceNote_(wrappedLabel()),
      importance_(new QTableWidget(0, static_cast<int>(importanceHeads.size()))) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(text(results_text::windowTitle));
    // Opening beside the main window during a run must not take the keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(1180, 820);

    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->setText(text(results_text::noRunYet));

    auto* charts = new QGridLayout;
    charts->addWidget(createChartView(convergence_.chart(), ResultsChart::Convergence), 0, 0, 1, 2);
    charts->addWidget(createChartView(effectResist_.chart(), ResultsChart::EffectResist), 1, 0);
    charts->addWidget(createChartView(margin_.chart(), ResultsChart::Margin), 1, 1);
    charts->setRowStretch(0, 1);
    charts->setRowStretch(1, 1);

    auto* columns = new QHBoxLayout;
    columns->addWidget(createFiguresPanel(), 0);
    columns->addLayout(charts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addLayout(columns, 1);
    clearDistributions();
}

QWidget* ResultsWindow::createFiguresPanel() {
    auto* panel = new QWidget;
    panel->setFixedWidth(440);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* figures = new QGroupBox(text(results_text::figuresCaption));
    auto* figuresLayout = new QVBoxLayout(figures);
    figureGrid_->setColumnStretch(1, 1);
    figuresLayout->addLayout(figureGrid_);
    figuresLayout->addWidget(advice_);
    layout->addWidget(figures);

    auto* inputs = new QGroupBox;
    auto* inputsLayout = new QVBoxLayout(inputs);
    QLabel* caption = wrappedLabel();
    caption->setText(text(importanceCaption));
    inputsLayout->addWidget(caption);
    QStringList heads;
    for (const char* head : importanceHeads) heads << text(head);
    importance_->setHorizontalHeaderLabels(heads);
    importance_->verticalHeader()->hide();
    importance_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    importance_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    importance_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    importance_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    importance_->hide();
    importanceNote_->setText(text(results_text::noImportance));
    inputsLayout->addWidget(importanceNote_);
    inputsLayout->addWidget(importance_);
    layout->addWidget(inputs, 1);

    auto* copy = new QPushButton(text(results_text::copyFigures));
    copy->setObjectName(QStringLiteral("copyFigures"));
    connect(copy, &QPushButton::clicked, this, &ResultsWindow::copyFigures);
    auto* exportButton = new QPushButton(text(results_text::exportResults));
    exportButton->setObjectName(QStringLiteral("exportResults"));
    connect(exportButton, &QPushButton::clicked, this, &ResultsWindow::exportRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(exportButton);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return panel;
}

QChartView* ResultsWindow::createChartView(QChart* chart, ResultsChart which) {
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 240);
    view->setToolTip(text(results_text::chartHint));
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* save = new QAction(text(results_text::savePicture), view);
    connect(save, &QAction::triggered, this, [this, which] { askAndSaveChart(which); });
    view->addAction(save);
    views_[static_cast<std::size_t>(which)] = view;
    return view;
}

void ResultsWindow::showFigures(const FailureFigures& figures,
                                std::span<const ConvergencePoint> points) {
    status_->setText(
        text(statusLine(figures.status, figures.repetitions, figures.plannedRepetitions)));
    setFigureLines(figures);
    advice_->setText(text(adviceLine(figures)));
    setImportance(figures);
    convergence_.show(points);
    figuresText_ = text(figuresAsText(figures));
}

void ResultsWindow::appendAdvice(const std::string& line) {
    advice_->setText(advice_->text() + QStringLiteral(" ") + text(line));
}

void ResultsWindow::showStatus(const std::string& status) {
    status_->setText(text(status));
    for (int i = 0; i < figureGrid_->count(); ++i)
        static_cast<QLabel*>(figureGrid_->itemAt(i)->widget())->clear();
    advice_->clear();
    importance_->hide();
    importanceNote_->show();
    convergence_.show({});
    figuresText_.clear();
}

void ResultsWindow::setFigureLines(const FailureFigures& figures) {
    const std::vector<FigureLine> lines = figureLines(figures);
    // The number of lines never changes: the labels are made once and then rewritten.
    if (figureGrid_->count() == 0) {
        for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
            auto* label = new QLabel;  // the labels keep to one line; the values wrap
            figureGrid_->addWidget(label, row, 0, Qt::AlignTop);
            figureGrid_->addWidget(wrappedLabel(), row, 1, Qt::AlignTop);
        }
    }
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        const FigureLine& line = lines[static_cast<std::size_t>(row)];
        static_cast<QLabel*>(figureGrid_->itemAtPosition(row, 0)->widget())
            ->setText(text(line.label) + QStringLiteral(":"));
        static_cast<QLabel*>(figureGrid_->itemAtPosition(row, 1)->widget())
            ->setText(text(line.value));
    }
}

void ResultsWindow::setImportance(const FailureFigures& figures) {
    const auto rows = importanceRows(figures);
    importance_->setVisible(!rows.empty());
    importanceNote_->setVisible(rows.empty());
    importance_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int c = 0; c < static_cast<int>(importanceHeads.size()); ++c) {
            auto* cell = new QTableWidgetItem(text(rows[r][c]));
            if (c > 0) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            importance_->setItem(r, c, cell);
        }
    }
}

void ResultsWindow::showDistributions(std::span<const double> effect,
                                      std::span<const double> resist, int repetition, int planned) {
    std::vector<double> margin(effect.size());
    for (std::size_t i = 0; i < effect.size() && i < resist.size(); ++i)
        margin[i] = resist[i] - effect[i];
    const QString which = QStringLiteral("repetition %1 of %2, %3 samples")
                              .arg(repetition)
                              .arg(planned)
                              .arg(effect.size());
    const ValueRange moments = finiteRange({effect, resist});
    effectResist_.show({sampleHistogram(effect, moments, histogramBins),
                        sampleHistogram(resist, moments, histogramBins)},
                       which);
    margin_.show({sampleHistogram(margin, finiteRange({margin}), histogramBins)}, which);
}

void ResultsWindow::clearDistributions() {
    const QString note = text(results_text::distributionsPending);
    effectResist_.clear(note);
    margin_.clear(note);
}

bool ResultsWindow::event(QEvent* event) {
    // The window's widgets are painted together, in answer to one update request.
    if (event->type() != QEvent::UpdateRequest) return QWidget::event(event);
    QElapsedTimer timer;
    timer.start();
    const bool handled = QWidget::event(event);
    lastPaintMs_ = timer.elapsed();
    return handled;
}

void ResultsWindow::copyFigures() const {
    if (!figuresText_.isEmpty()) QApplication::clipboard()->setText(figuresText_);
}

QChartView* ResultsWindow::chartView(ResultsChart which) const {
    return views_[static_cast<std::size_t>(which)];
}

bool ResultsWindow::saveChart(ResultsChart which, const QString& path) {
    return !saveChartPicture(*chartView(which), path);
}

void ResultsWindow::askAndSaveChart(ResultsChart which) {
    const SaveDialogSettings settings{
        results_text::savePictureTitle,
        true,
        "png",
        {},
        {{results_text::pngFilterName, "*.png"}, {results_text::svgFilterName, "*.svg"}},
        {},
    };
    const SaveDialogResult chosen = dialogs_.askForFile(this, FileKind::ChartPicture, settings);
    if (chosen.cancelled || chosen.fileName.empty()) return;
    QString path = QString::fromStdString(chosen.fileName);
    // A name typed without an extension gets the one of the chosen file type.
    if (QFileInfo(path).suffix().isEmpty())
        path += chosen.filter == 1 ? QStringLiteral(".svg") : QStringLiteral(".png");
    if (const auto failure = saveChartPicture(*chartView(which), path))
        dialogs_.tell(this, saveErrorMessage(QFile::encodeName(path).toStdString(), *failure));
}

}  // namespace ferrolith
