#include "ui/histogram_chart.hpp"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

// The outline of the bars: up and across each bin, down at the end.
QList<QPointF> steps(const SampleHistogram& h) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(h.counts.size()) * 2 + 2);
    points.append({h.low, 0.0});
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        const double count = static_cast<double>(h.counts[i]);
        points.append({h.low + h.width * static_cast<double>(i), count});
        points.append({h.low + h.width * static_cast<double>(i + 1), count});
    }
    points.append({h.low + h.width * static_cast<double>(h.counts.size()), 0.0});
    return points;
}

}  // namespace

HistogramChart::HistogramChart(QString title, std::vector<Series> series,
                               std::optional<Marker> marker)
    : title_(std::move(title)),
      chart_(new QChart),
      valueAxis_(new QValueAxis),
      countAxis_(new QValueAxis) {
    valueAxis_->setTitleText(QString::fromUtf8(results_text::momentAxis));
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    countAxis_->setTitleText(QString::fromUtf8(results_text::countAxis));
    countAxis_->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(valueAxis_, Qt::AlignBottom);
    chart_->addAxis(countAxis_, Qt::AlignLeft);
    for (const Series& s : series) {
        auto* step = new QLineSeries;
        auto* area = new QAreaSeries(step);
        area->setName(s.name);
        QColor fill = s.colour;
        fill.setAlpha(90);
        area->setColor(fill);
        area->setBorderColor(s.colour);
        chart_->addSeries(area);
        area->attachAxis(valueAxis_);
        area->attachAxis(countAxis_);
        steps_.push_back(step);
        areas_.push_back(area);
    }
    if (marker) {
        marker_ = new QLineSeries;
        marker_->setName(marker->name);
        QPen pen(QColor(200, 30, 30), 2, Qt::DashLine);
        marker_->setPen(pen);
        chart_->addSeries(marker_);
        marker_->attachAxis(valueAxis_);
        marker_->attachAxis(countAxis_);
        markerValue_ = marker->value;
    }
    chart_->legend()->setAlignment(Qt::AlignBottom);
    chart_->setTitle(titled(QString()));
}

QString HistogramChart::titled(const QString& subtitle) const {
    return QStringLiteral("<b>%1</b><br>%2").arg(title_.toHtmlEscaped(), subtitle.toHtmlEscaped());
}

void HistogramChart::show(const std::vector<SampleHistogram>& histograms, const QString& subtitle) {
    double low = markerValue_.value_or(histograms.front().low);
    double high = markerValue_.value_or(histograms.front().low);
    double top = 1.0;
    for (std::size_t i = 0; i < histograms.size() && i < steps_.size(); ++i) {
        const SampleHistogram& h = histograms[i];
        steps_[i]->replace(steps(h));
        low = std::min(low, h.low);
        high = std::max(high, h.low + h.width * static_cast<double>(h.counts.size()));
        for (std::int64_t c : h.counts) top = std::max(top, static_cast<double>(c));
    }
    setDrawn(true);
    valueAxis_->setRange(low, high);
    valueAxis_->applyNiceNumbers();
    setCountRange(top);
    if (marker_) marker_->replace({{*markerValue_, 0.0}, {*markerValue_, countAxis_->max()}});
    chart_->setTitle(titled(subtitle));
}

void HistogramChart::setCountRange(double top) {
    // Counts are whole numbers: below wholeTicksUpTo a tick a count, above it the nice steps are
    // whole numbers already.
    if (top < wholeTicksUpTo) {
        const double whole = std::ceil(top);
        countAxis_->setRange(0.0, whole);
        countAxis_->setTickCount(static_cast<int>(whole) + 1);
        return;
    }
    countAxis_->setTickCount(5);
    countAxis_->setRange(0.0, top);
    countAxis_->applyNiceNumbers();
}

void HistogramChart::clear(const QString& note) {
    for (QLineSeries* step : steps_) step->clear();
    if (marker_) marker_->clear();
    // An empty chart has no scale to read: a clean frame under its title and note.
    setDrawn(false);
    chart_->setTitle(titled(note));
}

void HistogramChart::setDrawn(bool drawn) {
    for (QAbstractSeries* area : areas_) area->setVisible(drawn);
    if (marker_) marker_->setVisible(drawn);
    valueAxis_->setVisible(drawn);
    countAxis_->setVisible(drawn);
    chart_->legend()->setVisible(drawn);
}

QString distributionsSubtitle(int repetition, int planned, std::size_t samples) {
    return QString::fromUtf8(samples == 1 ? results_text::distributionsOfOneSample
                                          : results_text::distributionsOfSamples)
        .arg(repetition)
        .arg(planned)
        .arg(samples);
}

}  // namespace ferrolith
