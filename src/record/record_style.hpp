#pragma once

#include <QFont>

class QPaintDevice;

namespace ferrolith {

// The fonts and the scale of the record's pages on one paint device: sizes are given in points
// and converted to the device's pixels, so a PDF and a printer lay out alike.
struct RecordStyle {
    explicit RecordStyle(const QPaintDevice& device);

    double dpi;
    QFont body;
    QFont bold;
    QFont heading;
    QFont title;
    QFont small;
    QFont mono;  // the report's, at 8 pt

    double pt(double points) const { return points * dpi / 72.0; }
};

}  // namespace ferrolith
