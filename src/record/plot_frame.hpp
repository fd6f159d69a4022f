#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

#include "record/record_style.hpp"

namespace ferrolith {

// An axis's range, linear or logarithmic, and the values it labels.
struct PlotAxis {
    double low = 0.0;
    double high = 1.0;
    bool logarithmic = false;
    QString title;

    // Where value sits between low (0) and high (1).
    double fraction(double value) const;
    // Round values to label: steps of 1, 2 or 5 times a power of ten, or the powers of ten of a
    // logarithmic axis.
    std::vector<double> ticks() const;
};

// The plotting area of a chart inside its rectangle, with room for the axes' labels.
class PlotFrame {
  public:
    PlotFrame(const QRectF& area, const RecordStyle& style, PlotAxis x, PlotAxis y);

    QPointF map(double x, double y) const;
    const QRectF& plot() const { return plot_; }
    // The frame, the ticks with their labels and the axis titles.
    void drawAxes(QPainter& painter) const;
    // A row of colour swatches with their names above the plot, at its right.
    void drawLegend(QPainter& painter, const std::vector<std::pair<QString, QColor>>& items) const;

  private:
    const RecordStyle& style_;
    QRectF plot_;
    PlotAxis x_;
    PlotAxis y_;
};

}  // namespace ferrolith
