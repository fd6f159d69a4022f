#include "record/plot_frame.hpp"

#include <QFontMetricsF>
#include <cmath>

namespace ferrolith {

namespace {

constexpr int wantedTicks = 5;

// 1, 2 or 5 times a power of ten, near span / wantedTicks.
double niceStep(double span) {
    const double raw = span / wantedTicks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (raw <= m * power) return m * power;
    return 10 * power;
}

QString tickLabel(double value, bool logarithmic) {
    if (logarithmic) return QString::number(value, 'f', 0);
    return QString::number(std::abs(value) < 1e-12 ? 0.0 : value, 'g', 4);
}

}  // namespace

double PlotAxis::fraction(double value) const {
    if (logarithmic) return std::log(value / low) / std::log(high / low);
    return (value - low) / (high - low);
}

std::vector<double> PlotAxis::ticks() const {
    std::vector<double> values;
    if (logarithmic) {
        for (double v = std::pow(10.0, std::ceil(std::log10(low) - 1e-9)); v <= high * (1 + 1e-9);
             v *= 10)
            values.push_back(v);
        if (values.size() < 2) values = {low, high};
        return values;
    }
    const double step = niceStep(high - low);
    for (double v = std::ceil(low / step - 1e-9) * step; v <= high + step * 1e-9; v += step)
        values.push_back(v);
    return values;
}

PlotFrame::PlotFrame(const QRectF& area, const RecordStyle& style, PlotAxis x, PlotAxis y)
    : style_(style),
      plot_(area.adjusted(style.pt(44), style.pt(12), -style.pt(8), -style.pt(26))),
      x_(std::move(x)),
      y_(std::move(y)) {}

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
    for (double v : x_.ticks()) {
        const double x = map(v, y_.low).x();
        painter.drawLine(QPointF(x, plot_.bottom()), QPointF(x, plot_.bottom() + tick));
        painter.drawText(
            QRectF(x - style_.pt(40), plot_.bottom() + tick, style_.pt(80), labelHeight),
            Qt::AlignHCenter | Qt::AlignTop, tickLabel(v, x_.logarithmic));
    }
    for (double v : y_.ticks()) {
        const double y = map(x_.low, v).y();
        painter.drawLine(QPointF(plot_.left() - tick, y), QPointF(plot_.left(), y));
        // Right of the rotated axis title.
        const double room = style_.pt(44) - labelHeight - tick * 1.5;
        painter.drawText(
            QRectF(plot_.left() - tick * 1.5 - room, y - labelHeight / 2, room, labelHeight),
            Qt::AlignRight | Qt::AlignVCenter, tickLabel(v, false));
    }
    painter.drawText(
        QRectF(plot_.left(), plot_.bottom() + tick + labelHeight, plot_.width(), labelHeight),
        Qt::AlignHCenter | Qt::AlignTop, x_.title);
    painter.save();
    painter.translate(plot_.left() - style_.pt(44), plot_.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot_.height() / 2, 0, plot_.height(), labelHeight),
                     Qt::AlignHCenter | Qt::AlignTop, y_.title);
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
