#include "ui/convergence_chart.hpp"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <vector>

#include "failure_statistics/convergence_axis.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

ConvergenceChart::ConvergenceChart()
    : chart_(new QChart),
      pf_(new QLineSeries),
      upper_(new QLineSeries),
      lower_(new QLineSeries),
      band_(new QAreaSeries(upper_, lower_)),
      samplesAxis_(new QLogValueAxis),
      pfAxis_(new QValueAxis),
      pfLogAxis_(new QLogValueAxis(chart_)) {
    chart_->setTitle(QStringLiteral("<b>%1</b><br>%2")
                         .arg(QString::fromUtf8(results_text::convergenceTitle),
                              QString::fromUtf8(results_text::convergenceSubtitle)));
    band_->setName(QString::fromUtf8(results_text::wilsonSeries));
    band_->setColor(QColor(70, 130, 180, 70));
    band_->setBorderColor(QColor(70, 130, 180, 140));
    pf_->setName(QString::fromUtf8(results_text::pfSeries));
    pf_->setPen(QPen(QColor(20, 60, 120), 2));
    chart_->addSeries(band_);
    chart_->addSeries(pf_);

    samplesAxis_->setBase(10);
    // Whole numbers at every tick: "%g" would switch to "1e+06" from a million on.
    samplesAxis_->setLabelFormat(QStringLiteral("%.0f"));
    samplesAxis_->setMinorTickCount(-1);
    samplesAxis_->setTitleText(QString::fromUtf8(results_text::samplesAxis));
    pfAxis_->setLabelFormat(QStringLiteral("%.3g"));
    pfAxis_->setTitleText(QString::fromUtf8(results_text::pfAxis));
    pfLogAxis_->setBase(10);
    pfLogAxis_->setLabelFormat(QStringLiteral("%.0e"));
    pfLogAxis_->setMinorTickCount(-1);
    pfLogAxis_->setTitleText(QString::fromUtf8(results_text::pfLogAxis));
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

// The chart holds the Pf axis in use; the other waits as a child of the chart.
void ConvergenceChart::usePfAxis(QAbstractAxis* axis) {
    if (chart_->axes(Qt::Vertical).contains(axis)) return;
    QAbstractAxis* unused = axis == pfAxis_ ? static_cast<QAbstractAxis*>(pfLogAxis_) : pfAxis_;
    chart_->removeAxis(unused);
    unused->setParent(chart_);
    chart_->addAxis(axis, Qt::AlignLeft);
    band_->attachAxis(axis);
    pf_->attachAxis(axis);
}

void ConvergenceChart::show(std::span<const ConvergencePoint> points) {
    const PfAxis axis = convergencePfAxis(points);
    usePfAxis(axis.logarithmic ? static_cast<QAbstractAxis*>(pfLogAxis_) : pfAxis_);
    const std::vector<std::size_t> drawn = drawnIndices(points.size());
    QList<QPointF> pf;
    QList<QPointF> upper;
    QList<QPointF> lower;
    pf.reserve(static_cast<qsizetype>(drawn.size()));
    upper.reserve(pf.capacity());
    lower.reserve(pf.capacity());
    for (std::size_t i : drawn) {
        const ConvergencePoint& p = points[i];
        const double x = static_cast<double>(p.samples);
        pf.append({x, axis.drawn(p.failureProbability)});
        upper.append({x, axis.drawn(p.wilson.upper)});
        lower.append({x, axis.drawn(p.wilson.lower)});
    }
    pf_->replace(pf);
    upper_->replace(upper);
    lower_->replace(lower);
    // Without points the chart is a clean frame under its title: no axes, legend or band.
    for (QAbstractSeries* series : chart_->series()) series->setVisible(!points.empty());
    for (QAbstractAxis* axis : chart_->axes()) axis->setVisible(!points.empty());
    chart_->legend()->setVisible(!points.empty());
    if (points.empty()) return;
    const double first = static_cast<double>(points.front().samples);
    const double last = static_cast<double>(points.back().samples);
    // A log axis needs a range of some width.
    samplesAxis_->setRange(first, last > first ? last : first * 10);
    if (axis.logarithmic) {
        pfLogAxis_->setRange(axis.low, axis.high);
    } else {
        pfAxis_->setRange(axis.low, axis.high);
        pfAxis_->applyNiceNumbers();
    }
}

int ConvergenceChart::pointCount() const { return static_cast<int>(pf_->count()); }

}  // namespace ferrolith
