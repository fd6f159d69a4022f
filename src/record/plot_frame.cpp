#include "record/plot_frame.hpp"

#include <QFontMetricsF>

namespace ferrolith {

PlotFrame::PlotFrame(const QRectF& area, const RecordStyle& style, const ChartAxis& x,
                     const ChartAxis& y)
    : style_(style),
      plot_(area.adjusted(style.pt(44), style.pt(12), -style.pt(8), -style.pt(26))),
      x_(x),
      y_(y) {}

QPointF PlotFrame::map(double x, double y) const {
    return {plot_.left() + x_.fraction(x) * plot_.width(),
            plot_.bottom() - y_.fraction(y) * plot_.height()};
}

void PlotFrame::drawAxes(QPainter& painter) const {
    painter.setPen(QPen(Qt::black, style_.pt(0.6)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot_);
    painter.setFont(style_.small);
    const double tick = style_.pt(3);
    const double labelHeight = QFontMetricsF(style_.small, painter.device()).height();
    for (std::size_t i = 0; i < x_.ticks.size(); ++i) {
        const double x = map(x_.ticks[i], y_.low).x();
        painter.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + tick));
        painter.drawText(
            QRectF(x - style_.pt(40), plot_.bottom() + tick, style_.pt(80), labelHeight),
            Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(x_.labels[i]));
    }
    for (std::size_t i = 0; i < y_.ticks.size(); ++i) {
        const double y = map(x_.low, y_.ticks[i]).y();
        painter.drawLine(QPointF(plot_.left() - tick, y), QPointF(plot_.left(), y));
        // Right of the rotated axis title.
        const double room = style_.pt(44) - labelHeight - tick * 1.5;
        painter.drawText(
            QRectF(plot_.left() - tick * 1.5 - room, y - labelHeight / 2, room, labelHeight),
            Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(y_.labels[i]));
    }
    painter.drawText(
        QRectF(plot_.left(), plot_.bottom() + tick + labelHeight, plot_.width(), labelHeight),
        Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(x_.title));
    painter.save();
    painter.translate(plot_.left() - style_.pt(44), plot_.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot_.height() / 2, 0, plot_.height(), labelHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(y_.title));
    painter.restore();
}

void PlotFrame::drawLegend(QPainter& painter,
                           const std::vector<std::pair<QString, QColor>>& items) const {
    painter.setFont(style_.small);
    const QFontMetricsF metrics(style_.small, painter.device());
    const double swatch = style_.pt(7);
    double width = 0;
    for (const auto& item : items)
        width += swatch * 1.4 + metrics.horizontalAdvance(item.first) + style_.pt(10);
    // Right-aligned in the band above the plot, clear of what is drawn.
    QPointF at(plot_.right() - width + style_.pt(8), plot_.top() - style_.pt(10));
    for (const auto& [name, colour] : items) {
        painter.setPen(QPen(colour, style_.pt(0.8)));
        QColor fill = colour;
        fill.setAlpha(90);
        painter.setBrush(fill);
        painter.drawRect(QRectF(at, QSizeF(swatch, swatch)));
        painter.setPen(Qt::black);
        const QRectF label(at.x() + swatch * 1.4, at.y() - style_.pt(1),
                           metrics.horizontalAdvance(name) + style_.pt(2), metrics.height());
        painter.drawText(label, Qt::AlignLeft | Qt::AlignTop, name);
        at.rx() = label.right() + style_.pt(8);
    }
}

}  // namespace ferrolith
