#include "record/record_blocks.hpp"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace ferrolith {

namespace {

constexpr double afterParagraph = 4;  // points
constexpr double cellGap = 6;
// Words wrap; the report's lines, monospaced, wrap anywhere, as they are columns of figures.
int wrapFor(const QFont& font) {
    return font.fixedPitch() ? Qt::TextWrapAnywhere : Qt::TextWordWrap;
}

QString qt(const std::string& s) { return QString::fromStdString(s); }

double textHeight(const PageFlow& flow, const QFont& font, double width, const QString& text) {
    const QFontMetricsF metrics(font, flow.device());
    return metrics.boundingRect(QRectF(0, 0, width, 1e9), wrapFor(font), text).height();
}

// Draws text at a place fixed now, once the page is painted.
void addText(PageFlow& flow, const QRectF& rect, const QFont& font, const QString& text,
             int align = Qt::AlignLeft) {
    flow.add([rect, font, text, align](QPainter& p) {
        p.setFont(font);
        p.drawText(rect, align | Qt::AlignTop | wrapFor(font), text);
    });
}

}  // namespace

void addHeading(PageFlow& flow, const std::string& text, double keepWith) {
    const RecordStyle& s = flow.style();
    flow.skip(s.pt(8));
    const double height = textHeight(flow, s.heading, flow.width(), qt(text)) + s.pt(4);
    const double top = flow.place(height, s.pt(keepWith));
    addText(flow, QRectF(flow.left(), top, flow.width(), height), s.heading, qt(text));
}

void addParagraph(PageFlow& flow, const std::string& text, const QFont& font, double keepWith) {
    const double height = textHeight(flow, font, flow.width(), qt(text));
    const double top = flow.place(height, flow.style().pt(keepWith));
    addText(flow, QRectF(flow.left(), top, flow.width(), height), font, qt(text));
    flow.skip(flow.style().pt(afterParagraph));
}

namespace {

void addRow(PageFlow& flow, const std::vector<std::string>& cells, const TableLayout& layout,
            const QFont& font) {
    const double gap = flow.style().pt(cellGap);
    std::vector<double> widths;
    double height = 0;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        widths.push_back(layout.widths[c] * flow.width() - gap);
        height = std::max(height, textHeight(flow, font, widths.back(), qt(cells[c])));
    }
    const double top = flow.place(height + flow.style().pt(2));
    double x = flow.left();
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const int align = c >= layout.rightFrom ? Qt::AlignRight : Qt::AlignLeft;
        addText(flow, QRectF(x, top, widths[c], height), font, qt(cells[c]), align);
        x += widths[c] + gap;
    }
}

// The widest word of text in font, as a share of the page's width.
double widestWord(const PageFlow& flow, const QFont& font, const std::string& text) {
    const QFontMetricsF metrics(font, flow.device());
    double widest = 0;
    for (const QString& word : qt(text).split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest / flow.width();
}

}  // namespace

TableLayout fittedLayout(const PageFlow& flow, const std::vector<std::string>& heads,
                         const std::vector<std::vector<std::string>>& rows,
                         const TableLayout& layout) {
    const RecordStyle& s = flow.style();
    const double gap = s.pt(cellGap) / flow.width();
    std::vector<double> needed(layout.widths.size(), 0.0);
    for (std::size_t c = 0; c < needed.size(); ++c) {
        if (c < heads.size()) needed[c] = widestWord(flow, s.bold, heads[c]);
        for (const auto& row : rows)
            if (c < row.size()) needed[c] = std::max(needed[c], widestWord(flow, s.body, row[c]));
        needed[c] += gap;
    }
    TableLayout fitted = layout;
    double room = fitted.widths[0] - needed[0];
    for (std::size_t c = 1; c < needed.size() && room > 0; ++c) {
        const double widen = std::min(room, std::max(0.0, needed[c] - fitted.widths[c]));
        fitted.widths[c] += widen;
        fitted.widths[0] -= widen;
        room -= widen;
    }
    return fitted;
}

void addTable(PageFlow& flow, const std::vector<std::string>& heads,
              const std::vector<std::vector<std::string>>& rows, const TableLayout& given) {
    const RecordStyle& s = flow.style();
    const TableLayout layout = fittedLayout(flow, heads, rows, given);
    addRow(flow, heads, layout, s.bold);
    const double rule = flow.place(s.pt(2));
    const double left = flow.left(), right = flow.left() + flow.width();
    flow.add([rule, left, right, &s](QPainter& p) {
        p.setPen(QPen(Qt::gray, s.pt(0.5)));
        p.drawLine(QPointF(left, rule), QPointF(right, rule));
    });
    for (const auto& row : rows) addRow(flow, row, layout, s.body);
    flow.skip(s.pt(afterParagraph));
}

void addLabelledLines(PageFlow& flow,
                      const std::vector<std::pair<std::string, std::string>>& lines) {
    const TableLayout layout{{0.38, 0.62}};
    for (const auto& [label, value] : lines)
        addRow(flow, {label.empty() ? label : label + ":", value}, layout, flow.style().body);
    flow.skip(flow.style().pt(afterParagraph));
}

void addMonospacedLines(PageFlow& flow, const std::vector<std::string>& lines) {
    const QFont& mono = flow.style().mono;
    const double lineHeight = QFontMetricsF(mono, flow.device()).lineSpacing();
    for (const std::string& line : lines) {
        const QString text = qt(line);
        const double height = std::max(lineHeight, textHeight(flow, mono, flow.width(), text));
        const double top = flow.place(height);
        addText(flow, QRectF(flow.left(), top, flow.width(), height), mono, text);
    }
}

void addDrawings(PageFlow& flow, double height, const std::vector<Drawing>& row) {
    const RecordStyle& s = flow.style();
    const double top = flow.place(s.pt(height));
    const double gap = s.pt(12);
    const double width = (flow.width() - gap * static_cast<double>(row.size() - 1)) /
                         static_cast<double>(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        const QRectF area(flow.left() + static_cast<double>(i) * (width + gap), top, width,
                          s.pt(height));
        flow.add([drawing = row[i], area, &s](QPainter& p) { drawing(p, area, s); });
    }
    flow.skip(s.pt(afterParagraph));
}

}  // namespace ferrolith
