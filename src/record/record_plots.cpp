#include "record/record_plots.hpp"

#include <QPolygonF>

#include "analysis/chart_texts.hpp"
#include "analysis/convergence_layout.hpp"
#include "analysis/design_curve_layout.hpp"
#include "analysis/histogram_layout.hpp"
#include "record/plot_frame.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

const QColor pfColour(20, 60, 120);
const QColor bandColour(70, 130, 180);
const QColor markerColour(180, 30, 30);
const QColor curveColour(20, 60, 120);
const QColor targetColour(200, 60, 40);

QString qt(const std::string& s) { return QString::fromStdString(s); }

QPolygonF band(const PlotFrame& frame, const ConvergenceLayout& layout,
               std::span<const ConvergencePoint> points) {
    QPolygonF polygon;
    for (const ConvergencePoint& p : points) {
        const auto drawn = layout.drawn(p);
        polygon << frame.map(drawn.samples, drawn.upper);
    }
    for (auto p = points.rbegin(); p != points.rend(); ++p) {
        const auto drawn = layout.drawn(*p);
        polygon << frame.map(drawn.samples, drawn.lower);
    }
    return polygon;
}

QPolygonF polygon(const PlotFrame& frame, const std::vector<ChartPoint>& points) {
    QPolygonF mapped;
    for (const ChartPoint& p : points) mapped << frame.map(p);
    return mapped;
}

}  // namespace

void drawConvergence(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     std::span<const ConvergencePoint> points) {
    const auto layout = ConvergenceLayout::of(points);
    if (!layout) return;
    const PlotFrame frame(area, style, layout->samples(), layout->pf());
    painter.setClipRect(frame.plot());
    QColor fill = bandColour;
    fill.setAlpha(70);
    painter.setPen(QPen(bandColour, style.pt(0.4)));
    painter.setBrush(fill);
    painter.drawPolygon(band(frame, *layout, points));
    QPolygonF pf;
    for (const ConvergencePoint& p : points) {
        const auto drawn = layout->drawn(p);
        pf << frame.map(drawn.samples, drawn.pf);
    }
    painter.setPen(QPen(pfColour, style.pt(1.2)));
    painter.drawPolyline(pf);
    painter.setClipping(false);
    frame.drawAxes(painter);
    frame.drawLegend(painter, {{qt(chart_text::pfSeries), pfColour},
                               {qt(chart_text::wilsonSeries), bandColour}});
}

void drawHistograms(QPainter& painter, const QRectF& area, const RecordStyle& style,
                    const std::vector<HistogramSeries>& series, std::optional<double> marker) {
    if (series.empty()) return;
    std::vector<SampleHistogram> histograms;
    for (const HistogramSeries& s : series) histograms.push_back(s.histogram);
    const HistogramLayout layout = histogramLayout(histograms, marker);
    const PlotFrame frame(area, style, layout.values, layout.counts);
    std::vector<std::pair<QString, QColor>> legend;
    for (std::size_t i = 0; i < series.size(); ++i) {
        QColor fill = series[i].colour;
        fill.setAlpha(90);
        painter.setPen(QPen(series[i].colour, style.pt(0.6)));
        painter.setBrush(fill);
        painter.drawPolygon(polygon(frame, layout.outlines[i]));
        legend.emplace_back(qt(series[i].name), series[i].colour);
    }
    if (layout.marker) {
        painter.setPen(QPen(markerColour, style.pt(1.0), Qt::DashLine));
        painter.drawLine(frame.map((*layout.marker)[0]), frame.map((*layout.marker)[1]));
    }
    frame.drawAxes(painter);
    frame.drawLegend(painter, legend);
}

void drawDesignCurve(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     const DesignForTarget& design) {
    const DesignCurveLayout layout = designCurveLayout(design);
    const PlotFrame frame(area, style, layout.values, layout.beta);
    painter.setClipRect(frame.plot());
    painter.setPen(QPen(curveColour, style.pt(1.2)));
    painter.drawPolyline(polygon(frame, layout.curve));
    painter.setPen(QPen(targetColour, style.pt(0.9), Qt::DashLine));
    painter.drawLine(frame.map(layout.target[0]), frame.map(layout.target[1]));
    if (layout.found) {
        painter.setPen(QPen(targetColour.darker(), style.pt(0.6)));
        painter.setBrush(targetColour);
        painter.drawEllipse(frame.map(*layout.found), style.pt(2.5), style.pt(2.5));
    }
    painter.setClipping(false);
    frame.drawAxes(painter);
    frame.drawLegend(painter,
                     {{qt(chart_text::designCurveSeries), curveColour},
                      {qt(layout.targetName), targetColour},
                      {qt(design.reached ? chart_text::designFoundSeries : record_text::designBest),
                       targetColour.darker()}});
}

}  // namespace ferrolith
