#include "ui/method_comparison.hpp"

#include <cmath>

#include "failure_statistics/figure_text.hpp"
#include "ui/results_texts.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

QString figure(double x) { return QString::fromStdString(formatFigure(x)); }
QString count(std::int64_t n) { return QString::fromStdString(formatCount(n)); }
QString title(Method m) {
    return QString::fromUtf8(results_text::methodTitles[static_cast<std::size_t>(m)]);
}
QString seconds(double s) { return QString::fromUtf8(results_text::seconds).arg(figure(s)); }
QString bound(const char* which, double x) {
    return std::isnan(x) ? QString() : QString::fromUtf8(which).arg(figure(x));
}

QString intervalAndCov(const Estimate& e) {
    if (e.kind == EstimateKind::None) return QString::fromStdString(e.why);
    if (!e.interval) return {};
    QString text = QString::fromUtf8(results_text::intervalOf)
                       .arg(figure(e.interval->lower), figure(e.interval->upper));
    if (e.variation)
        text +=
            QStringLiteral(", ") + QString::fromUtf8(results_text::covOf).arg(figure(*e.variation));
    return text;
}

ComparisonRow row(const JudgedEstimate& judged, const TargetBasis& target) {
    const Estimate& e = judged.estimate;
    ComparisonRow row{title(e.method),
                      {},
                      intervalAndCov(e),
                      {},
                      {},
                      e.seconds ? seconds(*e.seconds) : QString(),
                      QString::fromStdString(verdictText(judged.verdict, target))};
    switch (e.kind) {
        case EstimateKind::Value:
            row[1] = figure(e.failureProbability);
            row[3] = figure(e.beta);
            break;
        case EstimateKind::Bound:
            row[1] = bound(results_text::pfBelow, e.failureProbability);
            row[3] = bound(results_text::betaAbove, e.beta);
            break;
        case EstimateKind::None:
            row[1] = QString::fromUtf8(results_text::noFigure);
            break;
    }
    if (e.count > 0)
        row[4] = e.countsEvaluations
                     ? QString::fromUtf8(results_text::evaluations).arg(count(e.count))
                     : count(e.count);
    return row;
}

}  // namespace

std::vector<ComparisonRow> comparisonRows(const Analysis& analysis) {
    std::vector<ComparisonRow> rows;
    for (const JudgedEstimate& judged : analysis.estimates())
        rows.push_back(row(judged, analysis.target()));
    return rows;
}

}  // namespace ferrolith
