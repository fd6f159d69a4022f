#include "ui/chart_export.hpp"

#include <QChartView>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTextDocumentFragment>

#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

bool saveSvg(QChartView& view, const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(view.size());
    svg.setViewBox(view.rect());
    // So that a viewer shows the drawing at the size the chart has on the screen.
    svg.setResolution(view.logicalDpiX());
    // The chart's title is rich text; the drawing's title is written into the file unescaped.
    svg.setTitle(
        QTextDocumentFragment::fromHtml(view.chart()->title()).toPlainText().toHtmlEscaped());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    view.render(&painter);
    // The generator reports no write failure of its own: the file must be there and hold
    // something.
    return painter.end() && QFileInfo(path).size() > 0;
}

}  // namespace

bool saveChartPicture(QChartView& view, const QString& path) {
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) return saveSvg(view, path);
    return view.grab().save(path, "PNG");
}

}  // namespace ferrolith
