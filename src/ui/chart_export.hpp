#pragma once

#include <QString>

class QChartView;

namespace ferrolith {

// Writes the chart as the view draws it to path: SVG for a name ending in ".svg" (any case),
// PNG otherwise. False when the file could not be written.
bool saveChartPicture(QChartView& view, const QString& path);

}  // namespace ferrolith
