#include "ui/main/beam_sketch.hpp"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/twips.hpp"

namespace ferrolith {
namespace {

struct SketchLine {
    double x1, y1, x2, y2;
    double widthPixels;
};

struct SketchCircleBox {
    double left, top, width, height;
};

// In twips: the beam, then the two supports.
constexpr SketchLine sketchLines[] = {
    {1440, 480, 9840, 480, 5},                               // the beam
    {1523, 480, 1793, 855, 1},  {1538, 480, 1283, 855, 1},   // left support, sides
    {1793, 855, 1283, 855, 1},                               // left support, base
    {9825, 480, 9570, 855, 1},  {10080, 855, 9810, 480, 1},  // right support, sides
    {10073, 855, 9570, 855, 1},                              // right support, base
};

// The hinges: each the largest circle that fits its box, centred in it.
constexpr SketchCircleBox sketchHinges[] = {
    {1235, 360, 615, 250},
    {9525, 360, 615, 255},
};

}  // namespace

void paintBeamSketch(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0 / twipsPerPixel, 1.0 / twipsPerPixel);
    QPen pen(Qt::black);
    pen.setCapStyle(Qt::FlatCap);
    for (const SketchLine& line : sketchLines) {
        pen.setWidthF(line.widthPixels * twipsPerPixel);
        painter.setPen(pen);
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    }
    pen.setWidthF(twipsPerPixel);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const SketchCircleBox& box : sketchHinges) {
        const double diameter = std::min(box.width, box.height);
        const QPointF centre(box.left + box.width / 2, box.top + box.height / 2);
        painter.drawEllipse(centre, diameter / 2, diameter / 2);
    }
    painter.restore();
}

}  // namespace ferrolith
