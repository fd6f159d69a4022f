#pragma once

#include <QList>
#include <QPointF>
#include <vector>

#include "analysis/chart_axis.hpp"

class QCategoryAxis;

namespace ferrolith {

// The charts' axes on the screen are the layouts' (analysis/chart_axis.hpp), as the record draws
// them: a category axis over the layout's coordinates (a logarithmic axis's base-10 logarithms)
// with the layout's labels at its ticks.
QCategoryAxis* newLayoutAxis();
void showAxis(QCategoryAxis& axis, const ChartAxis& layout);

// Where a point goes on a chart whose axes are x and y: in their coordinates.
QPointF plotted(const ChartAxis& x, const ChartAxis& y, const ChartPoint& point);
QList<QPointF> plotted(const ChartAxis& x, const ChartAxis& y,
                       const std::vector<ChartPoint>& points);

}  // namespace ferrolith
