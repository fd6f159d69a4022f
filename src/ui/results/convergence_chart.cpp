#include "ui/results/convergence_chart.hpp"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <algorithm>
#include <cmath>
#include <vector>

#include "analysis/chart_texts.hpp"
#include "analysis/convergence_layout.hpp"
#include "ui/widgets/chart_axes.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

ConvergenceChart::ConvergenceChart()
    : chart_(new QChart),
      pf_(new QLineSeries),
      upper_(new QLineSeries),
      lower_(new QLineSeries),
      band_(new QAreaSeries(upper_, lower_)),
      samplesAxis_(newLayoutAxis()),
      pfAxis_(newLayoutAxis()) {
    chart_->setTitle(QStringLiteral("<b>%1</b><br>%2")
                         .arg(QString::fromUtf8(results_text::convergenceTitle),
                              QString::fromUtf8(results_text::convergenceSubtitle)));
    band_->setName(QString::fromUtf8(chart_text::wilsonSeries));
    band_->setColor(QColor(70, 130, 180, 70));
    band_->setBorderColor(QColor(70, 130, 180, 140));
    pf_->setName(QString::fromUtf8(chart_text::pfSeries));
    pf_->setPen(QPen(QColor(20, 60, 120), 2));
    chart_->addSeries(band_);
    chart_->addSeries(pf_);

    chart_->addAxis(samplesAxis_, Qt::AlignBottom);
    chart_->addAxis(pfAxis_, Qt::AlignLeft);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(band_), static_cast<QAbstractSeries*>(pf_)}) {
        series->attachAxis(samplesAxis_);
        series->attachAxis(pfAxis_);
    }
    chart_->legend()->setAlignment(Qt::AlignBottom);
    show({});
}

namespace {

// The points drawn: every one up to drawnPoints, beyond that a subset evenly spaced on the
// logarithmic axis that always holds the first and the last. More could not be told apart on
// the screen, and would only make every update slower.
std::vector<std::size_t> drawnIndices(std::size_t count) {
    constexpr std::size_t drawn = ConvergenceChart::drawnPoints;
    std::vector<std::size_t> indices;
    if (count <= drawn) {
        for (std::size_t i = 0; i < count; ++i) indices.push_back(i);
        return indices;
    }
    // Where the log spacing falls below one index, the indices follow one another instead.
    const double steps = static_cast<double>(drawn - 1);
    for (std::size_t k = 0; k < drawn; ++k) {
        const double position =
            std::pow(static_cast<double>(count), static_cast<double>(k) / steps);
        std::size_t i = static_cast<std::size_t>(std::llround(position)) - 1;
        if (k > 0) i = std::max(i, indices.back() + 1);
        indices.push_back(std::min(i, count - drawn + k));
    }
    return indices;
}

}  // namespace

void ConvergenceChart::show(std::span<const ConvergencePoint> points) {
    const auto layout = ConvergenceLayout::of(points);
    // Without points the chart is a clean frame under its title: no axes, legend or band.
    for (QAbstractSeries* series : chart_->series()) series->setVisible(layout.has_value());
    for (QAbstractAxis* axis : chart_->axes()) axis->setVisible(layout.has_value());
    chart_->legend()->setVisible(layout.has_value());
    const std::vector<std::size_t> drawn = drawnIndices(points.size());
    QList<QPointF> pf;
    QList<QPointF> upper;
    QList<QPointF> lower;
    pf.reserve(static_cast<qsizetype>(drawn.size()));
    upper.reserve(pf.capacity());
    lower.reserve(pf.capacity());
    if (layout) {
        const ChartAxis& x = layout->samples();
        const ChartAxis& y = layout->pf();
        for (std::size_t i : drawn) {
            const auto point = layout->drawn(points[i]);
            pf.append(plotted(x, y, {point.samples, point.pf}));
            upper.append(plotted(x, y, {point.samples, point.upper}));
            lower.append(plotted(x, y, {point.samples, point.lower}));
        }
        showAxis(*samplesAxis_, x);
        showAxis(*pfAxis_, y);
    }
    pf_->replace(pf);
    upper_->replace(upper);
    lower_->replace(lower);
}

int ConvergenceChart::pointCount() const { return static_cast<int>(pf_->count()); }

}  // namespace ferrolith
