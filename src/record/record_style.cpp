#include "record/record_style.hpp"

#include <QPaintDevice>
#include <QStringList>

namespace ferrolith {

namespace {

QFont font(QFont::StyleHint hint, const QStringList& families, double points, bool bold = false) {
    QFont f;
    f.setStyleHint(hint);
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setBold(bold);
    // The same advances on every device, so the measured layout is the one painted.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

const QStringList sans{QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")};

}  // namespace

RecordStyle::RecordStyle(const QPaintDevice& device)
    : dpi(device.logicalDpiY()),
      body(font(QFont::SansSerif, sans, 9)),
      bold(font(QFont::SansSerif, sans, 9, true)),
      heading(font(QFont::SansSerif, sans, 12, true)),
      title(font(QFont::SansSerif, sans, 16, true)),
      small(font(QFont::SansSerif, sans, 7)),
      mono(font(QFont::TypeWriter,
                {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")}, 8)) {
    mono.setFixedPitch(true);
}

}  // namespace ferrolith
