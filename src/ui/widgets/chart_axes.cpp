#include "ui/widgets/chart_axes.hpp"

#include <QCategoryAxis>

namespace ferrolith {

QCategoryAxis* newLayoutAxis() {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

void showAxis(QCategoryAxis& axis, const ChartAxis& layout) {
    for (const QString& label : axis.categoriesLabels()) axis.remove(label);
    axis.setTitleText(QString::fromStdString(layout.title));
    const double low = layout.coordinate(layout.low);
    axis.setRange(low, layout.coordinate(layout.high));
    axis.setStartValue(low);
    for (std::size_t i = 0; i < layout.ticks.size(); ++i)
        axis.append(QString::fromStdString(layout.labels[i]), layout.coordinate(layout.ticks[i]));
}

QPointF plotted(const ChartAxis& x, const ChartAxis& y, const ChartPoint& point) {
    return {x.coordinate(point.x), y.coordinate(point.y)};
}

QList<QPointF> plotted(const ChartAxis& x, const ChartAxis& y,
                       const std::vector<ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& p : points) list.append(plotted(x, y, p));
    return list;
}

}  // namespace ferrolith
