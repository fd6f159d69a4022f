#include "record/record_document.hpp"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "files/safe_file_write.hpp"
#include "record/page_flow.hpp"
#include "record/record_sections.hpp"
#include "record/record_texts.hpp"

namespace ferrolith {

namespace {

constexpr double marginMm = 15;

}  // namespace

int paintRecord(const CalculationRecord& record, QPagedPaintDevice& device) {
    PageFlow flow(device);
    flow.layOut([&record](PageFlow& f) { layOutRecord(f, record); });
    QPainter painter;
    if (!painter.begin(&device)) return 0;
    painter.setRenderHint(QPainter::Antialiasing);
    flow.paint(painter, device, record_text::programLine() + " - " + record_text::title,
               record_text::runTimeLine(record.analysis.startedAt()));
    painter.end();
    return flow.pageCount();
}

QByteArray recordPdf(const CalculationRecord& record) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(marginMm, marginMm, marginMm, marginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(QString::fromUtf8(record_text::title));
        writer.setCreator(QString::fromStdString(record_text::programLine()));
        paintRecord(record, writer);
    }
    return bytes;
}

std::optional<std::string> saveRecord(const CalculationRecord& record, const std::string& path) {
    const QByteArray pdf = recordPdf(record);
    return writeFileSafely(path,
                           std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())));
}

}  // namespace ferrolith
