#include "ui/results/results_window.hpp"

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
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "failure_statistics/distribution_histograms.hpp"
#include "failure_statistics/figure_text.hpp"
#include "report/save_error_message.hpp"
#include "ui/results/chart_export.hpp"
#include "ui/results/project_form.hpp"
#include "ui/widgets/application_icon.hpp"
#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

namespace {

// Small enough that two fit one above the other on a 768-pixel screen.
constexpr QSize chartMinimumSize(300, 170);

}  // namespace

ResultsWindow::ResultsWindow(WindowAnalysis& analysis, WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      analysis_(analysis),
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
      importance_(new QTableWidget(0, static_cast<int>(importanceHeads.size()))),
      methods_(new MethodsPanel(analysis, dialogs)),
      design_(new DesignPanel(analysis, dialogs)) {
    setObjectName(QStringLiteral("ResultsWindow"));
    setWindowTitle(text(results_text::windowTitle));
    setWindowIcon(applicationIcon());
    // Opening beside the main window during a run must not take the keyboard from it.
    setAttribute(Qt::WA_ShowWithoutActivating);
    resize(preferredSize);
    // Narrower, the figures' labels would leave their values no room.
    setMinimumWidth(minimumWidth);

    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->setObjectName(QStringLiteral("runStatus"));
    status_->setText(text(results_text::noRunYet));

    // One part a tab, so that the window stays narrow enough to stand beside the main window
    // and can take further parts.
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("resultsTabs"));
    tabs->addTab(createFiguresPanel(), text(results_text::figuresTab));
    tabs->addTab(createChartView(convergence_.chart(), ResultsChart::Convergence),
                 text(results_text::convergenceTab));
    auto* distributions = new QWidget;
    auto* stacked = new QVBoxLayout(distributions);
    stacked->addWidget(createChartView(effectResist_.chart(), ResultsChart::EffectResist), 1);
    stacked->addWidget(createChartView(margin_.chart(), ResultsChart::Margin), 1);
    tabs->addTab(distributions, text(results_text::distributionsTab));
    tabs->addTab(methods_, text(results_text::methodsTab));
    tabs->addTab(design_, text(results_text::designTab));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(tabs, 1);
    layout->addLayout(createButtons());
    clearDistributions();
}

QWidget* ResultsWindow::createFiguresPanel() {
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(new ProjectForm(analysis_, dialogs_));

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
    importance_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The table is as tall as its rows: the panel scrolls as a whole.
    importance_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    importance_->hide();
    importanceNote_->setText(text(results_text::noImportance));
    inputsLayout->addWidget(importanceNote_);
    inputsLayout->addWidget(importance_);
    layout->addWidget(inputs);
    layout->addStretch(1);

    // Wrapped values take the height they need at any width; a short window scrolls them.
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("figuresScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidget(panel);
    return scroll;
}

QLayout* ResultsWindow::createButtons() {
    auto* copy = new QPushButton(text(results_text::copyFigures));
    copy->setObjectName(QStringLiteral("copyFigures"));
    connect(copy, &QPushButton::clicked, this, &ResultsWindow::copyFigures);
    auto* exportButton = new QPushButton(text(results_text::exportResults));
    exportButton->setObjectName(QStringLiteral("exportResults"));
    connect(exportButton, &QPushButton::clicked, this, &ResultsWindow::exportRequested);
    auto* record = new QPushButton(text(results_text::saveRecord));
    record->setObjectName(QStringLiteral("saveRecord"));
    connect(record, &QPushButton::clicked, this, &ResultsWindow::recordRequested);
    auto* print = new QPushButton(text(results_text::print));
    print->setObjectName(QStringLiteral("printRecord"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(print, &QPushButton::clicked, this, &ResultsWindow::printRequested);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {copy, exportButton, record, print}) buttons->addWidget(button);
    buttons->addStretch(1);
    return buttons;
}

QChartView* ResultsWindow::createChartView(QChart* chart, ResultsChart which) {
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(chartMinimumSize);
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
    setFigureLines(figureLines(figures));
    advice_->setText(text(adviceLine(figures)));
    setImportance(figures);
    convergence_.show(points);
    figuresText_ = text(figuresAsText(figures));
}

void ResultsWindow::appendAdvice(const std::string& line) {
    const QString before = advice_->text();
    const QString after = before.isEmpty() ? text(line) : before + QStringLiteral(" ") + text(line);
    advice_->setText(after);
    // Copy Figures copies what is shown.
    figuresText_.replace(before + QStringLiteral("\n"), after + QStringLiteral("\n"));
}

void ResultsWindow::showNoFigures(RunStatus status, int completed, int planned) {
    const std::string statusText = statusLine(status, completed, planned);
    const std::vector<FigureLine> lines{
        {results_text::repetitionsCompleted,
         std::to_string(completed) + " of " + std::to_string(planned)}};
    const char* note =
        status == RunStatus::Aborted ? results_text::abortedBeforeFigures : results_text::noFigures;
    status_->setText(text(statusText));
    setFigureLines(lines);
    advice_->setText(text(note));
    importance_->hide();
    importanceNote_->show();
    convergence_.show({});
    // The clipboard gets what the window shows.
    figuresText_ = text(statusText + "\n" + lines.front().label + ": " + lines.front().value +
                        "\n" + note + "\n");
}

void ResultsWindow::showNotRun(const std::string& studyName) {
    status_->setText(text(results_text::studyLoaded).arg(text(studyName)));
    setFigureLines({});
    advice_->clear();
    importance_->hide();
    importanceNote_->hide();
    convergence_.show({});
    clearDistributions();
    figuresText_.clear();
}

void ResultsWindow::setFigureLines(const std::vector<FigureLine>& lines) {
    // The labels are made once for the most lines shown so far and then rewritten; rows past
    // the lines given are hidden.
    for (int row = 0; row < static_cast<int>(lines.size()); ++row) {
        if (figureGrid_->itemAtPosition(row, 0)) continue;
        auto* label = new QLabel;  // the labels keep to one line; the values wrap
        figureGrid_->addWidget(label, row, 0, Qt::AlignTop);
        figureGrid_->addWidget(wrappedLabel(), row, 1, Qt::AlignTop);
    }
    for (int row = 0; row < figureGrid_->rowCount(); ++row) {
        const bool shown = row < static_cast<int>(lines.size());
        for (int column = 0; column < 2; ++column) {
            QLayoutItem* item = figureGrid_->itemAtPosition(row, column);
            if (!item) continue;
            auto* label = static_cast<QLabel*>(item->widget());
            label->setVisible(shown);
            if (!shown) continue;
            const FigureLine& line = lines[static_cast<std::size_t>(row)];
            label->setText(column == 0 ? text(line.label) + QStringLiteral(":") : text(line.value));
        }
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
    const QString which = distributionsSubtitle(repetition, planned, effect.size());
    const DistributionHistograms h = distributionHistograms(effect, resist);
    effectResist_.show({h.effect, h.resist}, which);
    margin_.show({h.margin}, which);
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
