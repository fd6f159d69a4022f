#include "ui/results/chart_export.hpp"

#include <QBuffer>
#include <QChartView>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QTextDocumentFragment>

#include "files/safe_file_write.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

namespace {

bool drawSvg(QChartView& view, QBuffer& out) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
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
    return painter.end();
}

}  // namespace

std::optional<std::string> saveChartPicture(QChartView& view, const QString& path) {
    // Drawn in memory first, then written through the same safe save as every other file.
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    const bool drawn = path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)
                           ? drawSvg(view, out)
                           : view.grab().save(&out, "PNG");
    if (!drawn || bytes.isEmpty()) return std::string(results_text::cannotDraw);
    return writeFileSafely(
        QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace ferrolith
