#pragma once

#include "analysis/design_for_target.hpp"

class QCategoryAxis;
class QChart;
class QLineSeries;
class QScatterSeries;

namespace ferrolith {

// FORM's beta against the design input's first number over the searched range, the target as a
// dashed line, and the value found (or the best in the range) as a point: designCurveLayout, as
// the record draws it.
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
    QCategoryAxis* valueAxis_;
    QCategoryAxis* betaAxis_;
};

}  // namespace ferrolith
