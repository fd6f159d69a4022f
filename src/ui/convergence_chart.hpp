#pragma once

#include <span>

#include "failure_statistics/failure_figures.hpp"

class QAreaSeries;
class QChart;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace ferrolith {

// Pf against samples on a logarithmic samples axis, one point a completed repetition, with the
// 95% Wilson band shaded.
class ConvergenceChart {
  public:
    ConvergenceChart();  // the chart goes to a view, which owns it

    QChart* chart() const { return chart_; }
    void show(std::span<const ConvergencePoint> points);
    int pointCount() const;

  private:
    QChart* chart_;
    QLineSeries* pf_;
    QLineSeries* upper_;
    QLineSeries* lower_;
    QAreaSeries* band_;
    QLogValueAxis* samplesAxis_;
    QValueAxis* pfAxis_;
};

}  // namespace ferrolith
