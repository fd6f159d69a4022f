#include "ui/design_curve_chart.hpp"

#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "analysis/verdict.hpp"
#include "ui/results_texts.hpp"
#include "ui/widget_text.hpp"

namespace ferrolith {

namespace rt = results_text;

DesignCurveChart::DesignCurveChart()
    : chart_(new QChart),
      curve_(new QLineSeries),
      target_(new QLineSeries),
      found_(new QScatterSeries),
      valueAxis_(new QValueAxis),
      betaAxis_(new QValueAxis) {
    chart_->setTitle(QStringLiteral("<b>%1</b>").arg(text(rt::designChartTitle)));
    curve_->setName(text(rt::designCurveSeries));
    curve_->setPen(QPen(QColor(20, 60, 120), 2));
    target_->setPen(QPen(QColor(200, 60, 40), 1.5, Qt::DashLine));
    found_->setColor(QColor(200, 60, 40));
    found_->setBorderColor(QColor(120, 30, 20));
    found_->setMarkerSize(10);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(curve_), static_cast<QAbstractSeries*>(target_),
          static_cast<QAbstractSeries*>(found_)})
        chart_->addSeries(series);
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    betaAxis_->setLabelFormat(QStringLiteral("%.3g"));
    betaAxis_->setTitleText(text(rt::designBetaAxis));
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
    // A point where FORM found no design point has no beta to draw.
    QList<QPointF> points;
    double low = design->target;
    double high = design->target;
    for (const CurvePoint& p : design->curve) {
        if (!std::isfinite(p.beta)) continue;
        points.append({p.value, p.beta});
        low = std::min(low, p.beta);
        high = std::max(high, p.beta);
    }
    curve_->replace(points);
    target_->replace(
        {{design->range.lower, design->target}, {design->range.upper, design->target}});
    target_->setName(text(rt::designTargetSeries).arg(text(targetText(design->target))));
    found_->clear();
    if (std::isfinite(design->beta)) found_->append(design->value, design->beta);
    found_->setName(text(design->reached ? rt::designFoundSeries : rt::designBestSeries));
    valueAxis_->setTitleText(
        text(rt::designValueAxis).arg(text(std::string(info(design->request.input).caption))));
    valueAxis_->setRange(design->range.lower, design->range.upper);
    betaAxis_->setRange(low, high > low ? high : low + 1.0);
    betaAxis_->applyNiceNumbers();
}

int DesignCurveChart::pointCount() const { return static_cast<int>(curve_->count()); }

}  // namespace ferrolith
