#include "record/page_flow.hpp"

#include <QPagedPaintDevice>
#include <QPainter>

#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

constexpr double headerBand = 26;  // points
constexpr double footerBand = 20;

QString qt(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

PageFlow::PageFlow(const QPaintDevice& device)
    : device_(device),
      style_(device),
      page_(0, 0, device.width(), device.height()),
      body_(page_.adjusted(0, style_.pt(headerBand), 0, -style_.pt(footerBand))),
      y_(body_.top()) {
    newPage();
}

void PageFlow::newPage() {
    if (!pages_.empty()) used_.push_back(y_ - body_.top());
    pages_.emplace_back();
    y_ = body_.top();
}

double PageFlow::bottom() const {
    return pageCount() - 1 == earlyPage_ ? earlyBottom_ : body_.bottom();
}

void PageFlow::layOut(const std::function<void(PageFlow&)>& layOut) {
    layOut(*this);
    const double shortfall = (shortestLastPage - lastPageFill()) * body_.height();
    if (pageCount() < 2 || shortfall <= 0.0) return;
    // What stood in the last shortfall of the page before moves over: its blocks end that much
    // higher than they did.
    earlyPage_ = pageCount() - 2;
    earlyBottom_ = body_.top() + used_.back() - shortfall;
    pages_.clear();
    used_.clear();
    newPage();
    layOut(*this);
}

double PageFlow::place(double height, double keepWith) {
    // A block taller than a page starts a page of its own and runs over its foot.
    const bool atTop = y_ == body_.top();
    if (!atTop && y_ + height + keepWith > bottom()) newPage();
    const double top = y_;
    y_ += height;
    return top;
}

void PageFlow::skip(double height) {
    if (y_ + height >= bottom())
        newPage();
    else
        y_ += height;
}

void PageFlow::add(Draw draw) { pages_.back().push_back(std::move(draw)); }

void PageFlow::paint(QPainter& painter, QPagedPaintDevice& device, const std::string& headerLeft,
                     const std::string& headerRight) const {
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0) device.newPage();
        paintFrame(painter, page, headerLeft, headerRight);
        for (const Draw& draw : pages_[static_cast<std::size_t>(page)]) {
            painter.save();
            draw(painter);
            painter.restore();
        }
    }
}

void PageFlow::paintFrame(QPainter& painter, int page, const std::string& headerLeft,
                          const std::string& headerRight) const {
    painter.save();
    painter.setFont(style_.small);
    painter.setPen(Qt::black);
    const QRectF header(page_.left(), page_.top(), page_.width(), style_.pt(headerBand - 10));
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, qt(headerLeft));
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom, qt(headerRight));
    painter.setPen(QPen(Qt::gray, style_.pt(0.5)));
    const double rule = header.bottom() + style_.pt(3);
    painter.drawLine(QPointF(page_.left(), rule), QPointF(page_.right(), rule));
    painter.setPen(Qt::black);
    const QRectF footer(page_.left(), page_.bottom() - style_.pt(footerBand - 8), page_.width(),
                        style_.pt(footerBand - 8));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignBottom,
                     qt(record_text::pageLine(page + 1, pageCount())));
    painter.restore();
}

}  // namespace ferrolith
