#pragma once

// A paint device that keeps what a QPainter drew on it, in device coordinates: texts with their
// extents, rectangles, and lines, polylines, polygons and ellipses (by their centres) as points.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QTextItem>
#include <QTransform>
#include <vector>

namespace ferrolith::testing {

struct PaintedText {
    QString text;
    QRectF box;  // from the ascent to the descent over the text's advance
};

struct PaintedShape {
    bool line;  // a single line segment, such as a tick mark
    std::vector<QPointF> points;
};

class PaintRecorder : public QPaintDevice {
  public:
    std::vector<PaintedText> texts;
    std::vector<QRectF> rects;
    std::vector<PaintedShape> shapes;

    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    // A letter page at 300 dpi.
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return 2550;
            case PdmHeight:
                return 3300;
            case PdmWidthMM:
                return 216;
            case PdmHeightMM:
                return 279;
            case PdmNumColors:
                return INT_MAX;
            case PdmDepth:
                return 32;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            default:
                return 300;
        }
    }

  private:
    class Engine : public QPaintEngine {
      public:
        explicit Engine(PaintRecorder& device) : QPaintEngine(AllFeatures), device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyTransform) transform_ = state.transform();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawRects(const QRectF* rects, int count) override {
            for (int i = 0; i < count; ++i) device_.rects.push_back(transform_.mapRect(rects[i]));
        }
        void drawLines(const QLineF* lines, int count) override {
            for (int i = 0; i < count; ++i) add(true, {lines[i].p1(), lines[i].p2()});
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
            add(false, std::vector<QPointF>(points, points + count));
        }
        void drawEllipse(const QRectF& r) override { add(false, {r.center()}); }
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QRectF box(p.x(), p.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            device_.texts.push_back({item.text(), transform_.mapRect(box)});
        }

      private:
        void add(bool line, std::vector<QPointF> points) {
            for (QPointF& p : points) p = transform_.map(p);
            device_.shapes.push_back({line, std::move(points)});
        }
        PaintRecorder& device_;
        QTransform transform_;
    };

    mutable Engine engine_{*this};
};

}  // namespace ferrolith::testing
