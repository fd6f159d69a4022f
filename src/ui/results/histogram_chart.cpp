#include "ui/results/histogram_chart.hpp"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>

#include "analysis/histogram_layout.hpp"
#include "ui/widgets/chart_axes.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

HistogramChart::HistogramChart(QString title, std::vector<Series> series,
                               std::optional<Marker> marker)
    : title_(std::move(title)),
      chart_(new QChart),
      valueAxis_(newLayoutAxis()),
      countAxis_(newLayoutAxis()) {
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
    const HistogramLayout layout = histogramLayout(histograms, markerValue_);
    for (std::size_t i = 0; i < layout.outlines.size() && i < steps_.size(); ++i)
        steps_[i]->replace(plotted(layout.values, layout.counts, layout.outlines[i]));
    if (marker_ && layout.marker)
        marker_->replace(
            plotted(layout.values, layout.counts, {(*layout.marker)[0], (*layout.marker)[1]}));
    showAxis(*valueAxis_, layout.values);
    showAxis(*countAxis_, layout.counts);
    setDrawn(true);
    chart_->setTitle(titled(subtitle));
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
