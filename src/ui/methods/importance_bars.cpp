#include "ui/methods/importance_bars.hpp"

#include <QPainter>
#include <algorithm>

namespace ferrolith {

namespace {

constexpr int gap = 6;
constexpr int percentWidthSample = 6;  // characters of "100.0%"

QString percent(double share) { return QString::number(share * 100.0, 'f', 1) + QChar('%'); }

}  // namespace

ImportanceBars::ImportanceBars(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ImportanceBars::setBars(std::vector<Bar> bars) {
    std::stable_sort(bars.begin(), bars.end(),
                     [](const Bar& a, const Bar& b) { return a.share > b.share; });
    bars_ = std::move(bars);
    updateGeometry();
    update();
}

int ImportanceBars::rowHeight() const { return fontMetrics().height() + gap; }

int ImportanceBars::labelWidth() const {
    int width = 0;
    for (const Bar& bar : bars_) width = std::max(width, fontMetrics().horizontalAdvance(bar.name));
    return width;
}

QSize ImportanceBars::sizeHint() const {
    return {labelWidth() + 300, rowHeight() * static_cast<int>(bars_.size())};
}

QSize ImportanceBars::minimumSizeHint() const {
    return {labelWidth() + 120, rowHeight() * static_cast<int>(bars_.size())};
}

void ImportanceBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int labels = labelWidth() + gap;
    const int percentWidth =
        fontMetrics().horizontalAdvance(QString(percentWidthSample, QChar('0'))) + gap;
    const int room = std::max(1, width() - labels - percentWidth);
    const QColor barColour = palette().color(QPalette::Highlight);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const int top = static_cast<int>(i) * rowHeight();
        const QRect row(0, top, width(), rowHeight());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRect(0, top, labels - gap, rowHeight()),
                         Qt::AlignRight | Qt::AlignVCenter, bars_[i].name);
        const int length = static_cast<int>(std::clamp(bars_[i].share, 0.0, 1.0) * room + 0.5);
        painter.fillRect(QRect(labels, top + gap / 2, length, row.height() - gap), barColour);
        painter.drawText(QRect(labels + length + gap, top, percentWidth, rowHeight()),
                         Qt::AlignLeft | Qt::AlignVCenter, percent(bars_[i].share));
    }
}

}  // namespace ferrolith
