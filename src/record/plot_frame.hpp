#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

#include "analysis/chart_axis.hpp"
#include "record/record_style.hpp"

namespace ferrolith {

// The plotting area of a chart inside its rectangle, with room for the axes' labels; the axes
// are the caller's, kept while the frame is used.
class PlotFrame {
  public:
    PlotFrame(const QRectF& area, const RecordStyle& style, const ChartAxis& x, const ChartAxis& y);

    QPointF map(double x, double y) const;
    QPointF map(const ChartPoint& p) const { return map(p.x, p.y); }
    const QRectF& plot() const { return plot_; }
    // The frame, the ticks with their labels and the axis titles.
    void drawAxes(QPainter& painter) const;
    // A row of colour swatches with their names above the plot, at its right.
    void drawLegend(QPainter& painter, const std::vector<std::pair<QString, QColor>>& items) const;

  private:
    const RecordStyle& style_;
    QRectF plot_;
    const ChartAxis& x_;
    const ChartAxis& y_;
};

}  // namespace ferrolith
