#include "ui/methods/design_curve_chart.hpp"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>

#include "analysis/chart_texts.hpp"
#include "analysis/design_curve_layout.hpp"
#include "ui/widgets/chart_axes.hpp"
#include "ui/widgets/results_texts.hpp"
#include "ui/widgets/widget_text.hpp"

namespace ferrolith {

namespace rt = results_text;

DesignCurveChart::DesignCurveChart()
    : chart_(new QChart),
      curve_(new QLineSeries),
      target_(new QLineSeries),
      found_(new QScatterSeries),
      valueAxis_(newLayoutAxis()),
      betaAxis_(newLayoutAxis()) {
    chart_->setTitle(QStringLiteral("<b>%1</b>").arg(text(rt::designChartTitle)));
    curve_->setName(text(chart_text::designCurveSeries));
    curve_->setPen(QPen(QColor(20, 60, 120), 2));
    target_->setPen(QPen(QColor(200, 60, 40), 1.5, Qt::DashLine));
    found_->setColor(QColor(200, 60, 40));
    found_->setBorderColor(QColor(120, 30, 20));
    found_->setMarkerSize(10);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(curve_), static_cast<QAbstractSeries*>(target_),
          static_cast<QAbstractSeries*>(found_)})
        chart_->addSeries(series);
    chart_->addAxis(valueAxis_, Qt::AlignBottom);
    chart_->addAxis(betaAxis_, Qt::AlignLeft);
    for (QAbstractSeries* series : chart_->series()) {
        series->attachAxis(valueAxis_);
        series->attachAxis(betaAxis_);
    }
    chart_->legend()->setAlignment(Qt::AlignBottom);
    show(nullptr);
}

void DesignCurveChart::show(const DesignForTarget* design) {
    for (QAbstractSeries* series : chart_->series()) series->setVisible(design != nullptr);
    for (QAbstractAxis* axis : chart_->axes()) axis->setVisible(design != nullptr);
    chart_->legend()->setVisible(design != nullptr);
    if (!design) {
        curve_->clear();
        target_->clear();
        found_->clear();
        return;
    }
    const DesignCurveLayout layout = designCurveLayout(*design);
    const ChartAxis& x = layout.values;
    const ChartAxis& y = layout.beta;
    curve_->replace(plotted(x, y, layout.curve));
    target_->replace(plotted(x, y, {layout.target[0], layout.target[1]}));
    target_->setName(text(layout.targetName));
    found_->clear();
    if (layout.found) found_->append(plotted(x, y, *layout.found));
    found_->setName(text(design->reached ? chart_text::designFoundSeries : rt::designBestSeries));
    showAxis(*valueAxis_, x);
    showAxis(*betaAxis_, y);
}

int DesignCurveChart::pointCount() const { return static_cast<int>(curve_->count()); }

}  // namespace ferrolith
