#include "record/record_plots.hpp"

#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>

#include "failure_statistics/convergence_axis.hpp"
#include "record/plot_frame.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

const QColor pfColour(20, 60, 120);
const QColor bandColour(70, 130, 180);
const QColor markerColour(180, 30, 30);

QString qt(const std::string& s) { return QString::fromStdString(s); }

PlotAxis samplesAxis(std::span<const ConvergencePoint> points) {
    const double first = static_cast<double>(points.front().samples);
    const double last = static_cast<double>(points.back().samples);
    // A log axis needs a range of some width.
    return {first, last > first ? last : first * 10, true, qt(record_text::samplesAxis)};
}

PlotAxis pfAxis(const PfAxis& axis) {
    return {axis.low, axis.high, axis.logarithmic,
            qt(axis.logarithmic ? record_text::pfLogAxis : record_text::pfAxis)};
}

QPolygonF band(const PlotFrame& frame, const PfAxis& axis,
               std::span<const ConvergencePoint> points) {
    QPolygonF polygon;
    for (const ConvergencePoint& p : points)
        polygon << frame.map(static_cast<double>(p.samples), axis.drawn(p.wilson.upper));
    for (auto p = points.rbegin(); p != points.rend(); ++p)
        polygon << frame.map(static_cast<double>(p->samples), axis.drawn(p->wilson.lower));
    return polygon;
}

}  // namespace

void drawConvergence(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     std::span<const ConvergencePoint> points) {
    if (points.empty()) return;
    const PfAxis axis = convergencePfAxis(points);
    const PlotFrame frame(area, style, samplesAxis(points), pfAxis(axis));
    painter.setClipRect(frame.plot());
    QColor fill = bandColour;
    fill.setAlpha(70);
    painter.setPen(QPen(bandColour, style.pt(0.4)));
    painter.setBrush(fill);
    painter.drawPolygon(band(frame, axis, points));
    QPolygonF pf;
    for (const ConvergencePoint& p : points)
        pf << frame.map(static_cast<double>(p.samples), axis.drawn(p.failureProbability));
    painter.setPen(QPen(pfColour, style.pt(1.2)));
    painter.drawPolyline(pf);
    painter.setClipping(false);
    frame.drawAxes(painter);
    frame.drawLegend(painter, {{QStringLiteral("Pf"), pfColour},
                               {QStringLiteral("95% Wilson band"), bandColour}});
}

namespace {

// The outline of the bars: up and across each bin, down at the end.
QPolygonF steps(const PlotFrame& frame, const SampleHistogram& h) {
    QPolygonF outline;
    outline << frame.map(h.low, 0.0);
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        const double count = static_cast<double>(h.counts[i]);
        outline << frame.map(h.low + h.width * static_cast<double>(i), count)
                << frame.map(h.low + h.width * static_cast<double>(i + 1), count);
    }
    outline << frame.map(h.low + h.width * static_cast<double>(h.counts.size()), 0.0);
    return outline;
}

// The value axis holds every series and the marker; the count axis the highest bar.
std::pair<PlotAxis, PlotAxis> histogramAxes(const std::vector<HistogramSeries>& series,
                                            std::optional<double> marker) {
    PlotAxis values{series.front().histogram.low, series.front().histogram.low, false,
                    qt(record_text::momentAxis)};
    double highest = 1.0;
    for (const HistogramSeries& s : series) {
        const SampleHistogram& h = s.histogram;
        values.low = std::min(values.low, h.low);
        values.high = std::max(values.high, h.low + h.width * static_cast<double>(h.counts.size()));
        for (std::int64_t c : h.counts) highest = std::max(highest, static_cast<double>(c));
    }
    if (marker) {
        values.low = std::min(values.low, *marker);
        values.high = std::max(values.high, *marker);
    }
    return {values, {0.0, highest * 1.1, false, QStringLiteral("samples")}};
}

}  // namespace

void drawHistograms(QPainter& painter, const QRectF& area, const RecordStyle& style,
                    const std::vector<HistogramSeries>& series, std::optional<double> marker) {
    if (series.empty()) return;
    const auto [values, counts] = histogramAxes(series, marker);
    const PlotFrame frame(area, style, values, counts);
    std::vector<std::pair<QString, QColor>> legend;
    for (const HistogramSeries& s : series) {
        QColor fill = s.colour;
        fill.setAlpha(90);
        painter.setPen(QPen(s.colour, style.pt(0.6)));
        painter.setBrush(fill);
        painter.drawPolygon(steps(frame, s.histogram));
        legend.emplace_back(qt(s.name), s.colour);
    }
    if (marker) {
        painter.setPen(QPen(markerColour, style.pt(1.0), Qt::DashLine));
        painter.drawLine(frame.map(*marker, counts.low), frame.map(*marker, counts.high));
    }
    frame.drawAxes(painter);
    frame.drawLegend(painter, legend);
}

}  // namespace ferrolith
