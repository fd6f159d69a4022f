#pragma once

#include <cstddef>
#include <span>

#include "failure_statistics/failure_figures.hpp"

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QLineSeries;

namespace ferrolith {

// Pf against samples on the axes of ConvergenceLayout, as the record draws it, one point a
// completed repetition (up to drawnPoints, then a subset spread evenly over the samples axis),
// with the 95% Wilson band shaded.
class ConvergenceChart {
  public:
    static constexpr std::size_t drawnPoints = 500;

    ConvergenceChart();  // the chart goes to a view, which owns it

    QChart* chart() const { return chart_; }
    void show(std::span<const ConvergencePoint> points);
    int pointCount() const;  // drawn

  private:
    QChart* chart_;
    QLineSeries* pf_;
    QLineSeries* upper_;
    QLineSeries* lower_;
    QAreaSeries* band_;
    QCategoryAxis* samplesAxis_;
    QCategoryAxis* pfAxis_;
};

}  // namespace ferrolith
