#include "record/design_section.hpp"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "analysis/design_for_target_text.hpp"
#include "analysis/verdict.hpp"
#include "record/plot_frame.hpp"
#include "record/record_blocks.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

const QColor curveColour(20, 60, 120);
const QColor targetColour(200, 60, 40);

constexpr double chartHeight = 200;

QString qt(const std::string& s) { return QString::fromStdString(s); }

// The beta axis holds the curve's betas and the target.
PlotAxis betaAxis(const DesignForTarget& design) {
    double low = design.target;
    double high = design.target;
    for (const CurvePoint& p : design.curve)
        if (std::isfinite(p.beta)) {
            low = std::min(low, p.beta);
            high = std::max(high, p.beta);
        }
    return {low, high > low ? high : low + 1.0, false, qt(record_text::designBetaAxis)};
}

void drawDesignCurve(QPainter& painter, const QRectF& area, const RecordStyle& style,
                     const DesignForTarget& design) {
    const PlotAxis values{
        design.range.lower, design.range.upper, false,
        qt(std::string(info(design.request.input).caption) + record_text::designValueAxis)};
    const PlotFrame frame(area, style, values, betaAxis(design));
    painter.setClipRect(frame.plot());
    // A point where FORM found no design point has no beta to draw.
    QPolygonF curve;
    for (const CurvePoint& p : design.curve)
        if (std::isfinite(p.beta)) curve << frame.map(p.value, p.beta);
    painter.setPen(QPen(curveColour, style.pt(1.2)));
    painter.drawPolyline(curve);
    painter.setPen(QPen(targetColour, style.pt(0.9), Qt::DashLine));
    painter.drawLine(frame.map(design.range.lower, design.target),
                     frame.map(design.range.upper, design.target));
    if (std::isfinite(design.beta)) {
        painter.setPen(QPen(targetColour.darker(), style.pt(0.6)));
        painter.setBrush(targetColour);
        painter.drawEllipse(frame.map(design.value, design.beta), style.pt(2.5), style.pt(2.5));
    }
    painter.setClipping(false);
    frame.drawAxes(painter);
    frame.drawLegend(painter,
                     {{qt(record_text::designCurve), curveColour},
                      {qt(record_text::designTarget + targetText(design.target)), targetColour},
                      {qt(design.reached ? record_text::designFound : record_text::designBest),
                       targetColour.darker()}});
}

}  // namespace

void designSection(PageFlow& flow, const Analysis& analysis) {
    const auto& design = analysis.designForTarget();
    if (!design) return;
    addHeading(flow, record_text::designHeading);
    for (const std::string& line : designForTargetLines(*design))
        addParagraph(flow, line, flow.style().body);
    addDrawings(flow, chartHeight,
                {[d = *design](QPainter& p, const QRectF& area, const RecordStyle& s) {
                    drawDesignCurve(p, area, s, d);
                }});
}

}  // namespace ferrolith
