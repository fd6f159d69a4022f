#pragma once

#include <cstddef>
#include <span>

#include "failure_statistics/failure_figures.hpp"

class QAbstractAxis;
class QAreaSeries;
class QChart;
class QLineSeries;
class QLogValueAxis;
class QValueAxis;

namespace ferrolith {

// Pf against samples on a logarithmic samples axis, one point a completed repetition (up to
// drawnPoints, then a subset spread evenly over the axis), with the 95% Wilson band shaded. Pf
// goes on a linear axis, or a logarithmic one when it is small (convergencePfAxis).
class ConvergenceChart {
  public:
    static constexpr std::size_t drawnPoints = 500;

    ConvergenceChart();  // the chart goes to a view, which owns it

    QChart* chart() const { return chart_; }
    void show(std::span<const ConvergencePoint> points);
    int pointCount() const;  // drawn

  private:
    void usePfAxis(QAbstractAxis* axis);

    QChart* chart_;
    QLineSeries* pf_;
    QLineSeries* upper_;
    QLineSeries* lower_;
    QAreaSeries* band_;
    QLogValueAxis* samplesAxis_;
    QValueAxis* pfAxis_;
    QLogValueAxis* pfLogAxis_;
};

}  // namespace ferrolith
