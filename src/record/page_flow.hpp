#pragma once

#include <QRectF>
#include <functional>
#include <string>
#include <vector>

#include "record/record_style.hpp"

class QPaintDevice;
class QPagedPaintDevice;
class QPainter;

namespace ferrolith {

// Lays blocks out down A4 pages, top to bottom, and keeps what each page draws until every
// page is known, so that each can say "Page 2 of 5". Coordinates are the device's pixels,
// with the origin at the top left of the printable area.
class PageFlow {
  public:
    using Draw = std::function<void(QPainter&)>;

    explicit PageFlow(const QPaintDevice& device);

    // Lays the pages out with layOut. Where the last page would hold less than a fifth of a page,
    // lays them out again with the page before it ended early by what the last one lacks, so that
    // the blocks at its foot move over and no page holds only a few lines.
    void layOut(const std::function<void(PageFlow&)>& layOut);

    const RecordStyle& style() const { return style_; }
    const QPaintDevice* device() const { return &device_; }
    double left() const { return body_.left(); }
    double width() const { return body_.width(); }
    double pageHeight() const { return body_.height(); }

    // The top of a block height high: here when it fits with keepWith more below it on this
    // page, otherwise at the top of a new page. The flow moves down past the block.
    double place(double height, double keepWith = 0.0);
    // Leaves a gap, or ends the page when the gap would reach its foot.
    void skip(double height);
    void add(Draw draw);

    int pageCount() const { return static_cast<int>(pages_.size()); }
    // The share of the last page's body its blocks take so far.
    double lastPageFill() const { return (y_ - body_.top()) / body_.height(); }

    // Paints every page, each under a header with headerLeft and headerRight and over its page
    // number.
    void paint(QPainter& painter, QPagedPaintDevice& device, const std::string& headerLeft,
               const std::string& headerRight) const;

    // The least share of a page the last one holds after layOut.
    static constexpr double shortestLastPage = 0.2;

  private:
    void newPage();
    // Where the current page's blocks must end.
    double bottom() const;
    void paintFrame(QPainter& painter, int page, const std::string& headerLeft,
                    const std::string& headerRight) const;

    const QPaintDevice& device_;
    RecordStyle style_;
    QRectF page_;  // the printable area
    QRectF body_;  // between header and footer
    double y_;
    std::vector<std::vector<Draw>> pages_;
    std::vector<double> used_;  // the height each finished page's blocks took
    // The page that ends early, and where: none (-1) but on layOut's second pass.
    int earlyPage_ = -1;
    double earlyBottom_ = 0.0;
};

}  // namespace ferrolith
