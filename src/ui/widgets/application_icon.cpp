#include "ui/widgets/application_icon.hpp"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace ferrolith {

QIcon applicationIcon() {
    // Drawn here rather than through Qt's SVG icon plugin, which an installation may lack.
    QSvgRenderer svg(QStringLiteral(":/ferrolith/ferrolith.svg"));
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        svg.render(&painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace ferrolith
