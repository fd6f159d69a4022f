#pragma once

#include <QString>
#include <optional>
#include <string>

class QChartView;

namespace ferrolith {

// Writes the chart as the view draws it to path: SVG for a name ending in ".svg" (any case),
// PNG otherwise. The failure's description when the file could not be written.
std::optional<std::string> saveChartPicture(QChartView& view, const QString& path);

}  // namespace ferrolith
