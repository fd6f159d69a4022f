#include "record/record_texts.hpp"

#include <QDateTime>
#include <QTimeZone>

#include "program_version.hpp"

namespace ferrolith::record_text {

std::string methodTitle(reliability::Method method) {
    switch (method) {
        case reliability::Method::MonteCarlo:
            return "Monte Carlo (the design run)";
        case reliability::Method::Form:
            return "FORM";
        case reliability::Method::Sorm:
            return "SORM";
        case reliability::Method::ImportanceSampling:
            return "Importance sampling";
        case reliability::Method::IndependentMonteCarlo:
            return "Monte Carlo with independent streams";
        case reliability::Method::SubsetSimulation:
            return "Subset simulation";
    }
    return {};
}

std::string periodText(int years) {
    return std::to_string(years) + (years == 1 ? " year" : " years") +
           ": the variable loads' laws are of their maxima over that period";
}

std::string programLine() { return "Ferrolith " + std::string(programVersion); }

std::string runTimeLine(std::int64_t startedAt) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(startedAt);
    return "Run of " + local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + " (" +
           local.timeZone().displayName(local, QTimeZone::OffsetName).toStdString() + ")";
}

std::string pageLine(int page, int pages) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pages);
}

std::string distributionsLine(int repetition, int planned, int samples) {
    return "repetition " + std::to_string(repetition) + " of " + std::to_string(planned) + ", " +
           std::to_string(samples) + (samples == 1 ? " sample" : " samples");
}

std::string repetitionsLeftOut(int blocks) {
    return "[" + std::to_string(blocks) +
           (blocks == 1 ? " repetition block is" : " repetition blocks are") +
           " left out here to keep the record short; the saved report holds them all.]";
}

}  // namespace ferrolith::record_text
