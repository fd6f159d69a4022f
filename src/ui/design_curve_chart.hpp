#pragma once

#include "analysis/design_for_target.hpp"

class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace ferrolith {

// FORM's beta against the design input's first number over the searched range, the target as a
// dashed line, and the value found (or the best in the range) as a point.
class DesignCurveChart {
  public:
    DesignCurveChart();  // the chart goes to a view, which owns it

    QChart* chart() const { return chart_; }
    // None: a clean frame under the title.
    void show(const DesignForTarget* design);
    int pointCount() const;  // of the curve, drawn

  private:
    QChart* chart_;
    QLineSeries* curve_;
    QLineSeries* target_;
    QScatterSeries* found_;
    QValueAxis* valueAxis_;
    QValueAxis* betaAxis_;
};

}  // namespace ferrolith
