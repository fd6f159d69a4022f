#pragma once

// A paint device that keeps what a QPainter drew on it, call by call, in device coordinates:
// texts with their extents, rectangles, and lines, polylines, polygons and ellipses as points.
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QTransform>
#include <vector>

namespace ferrolith::testing {

struct PaintedText {
    QString text;
    QRectF box;  // from the ascent to the descent over the text's advance
};

enum class ShapeKind { Line, Polyline, Polygon, Ellipse };

struct PaintedShape {
    ShapeKind kind;
    std::vector<QPointF> points;  // an ellipse's centre alone
};

class PaintRecorder : public QPaintDevice {
  public:
    explicit PaintRecorder(int dpi = 300) : dpi_(dpi) {}

    std::vector<PaintedText> texts;
    std::vector<QRectF> rects;
    std::vector<PaintedShape> shapes;

    QPaintEngine* paintEngine() const override { return &engine_; }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return dpi_ * 8;
            case PdmHeight:
                return dpi_ * 11;
            case PdmWidthMM:
                return 203;
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
                return dpi_;  // the four resolutions
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
            for (int i = 0; i < count; ++i) add(ShapeKind::Line, {lines[i].p1(), lines[i].p2()});
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
            add(mode == PolylineMode ? ShapeKind::Polyline : ShapeKind::Polygon,
                std::vector<QPointF>(points, points + count));
        }
        void drawEllipse(const QRectF& r) override { add(ShapeKind::Ellipse, {r.center()}); }
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QRectF box(p.x(), p.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            device_.texts.push_back({item.text(), transform_.mapRect(box)});
        }

      private:
        void add(ShapeKind kind, std::vector<QPointF> points) {
            for (QPointF& p : points) p = transform_.map(p);
            device_.shapes.push_back({kind, std::move(points)});
        }
        PaintRecorder& device_;
        QTransform transform_;
    };

    int dpi_;
    mutable Engine engine_{*this};
};

}  // namespace ferrolith::testing
