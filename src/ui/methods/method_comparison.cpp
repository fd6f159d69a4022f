#include "ui/methods/method_comparison.hpp"

#include <cmath>

#include "failure_statistics/figure_text.hpp"
#include "ui/widgets/results_texts.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

QString figure(double x) { return QString::fromStdString(formatFigure(x)); }
QString count(std::int64_t n) { return QString::fromStdString(formatCount(n)); }
QString title(Method m) {
    return QString::fromUtf8(results_text::methodTitles[static_cast<std::size_t>(m)]);
}
QString bound(const char* which, double x) {
    return std::isnan(x) ? QString() : QString::fromUtf8(which).arg(figure(x));
}

QString interval(const Estimate& e) {
    if (!e.interval) return {};
    return QString::fromUtf8(results_text::intervalOf)
        .arg(figure(e.interval->lower), figure(e.interval->upper));
}

ComparisonRow row(const JudgedEstimate& judged, const TargetBasis& target) {
    const Estimate& e = judged.estimate;
    ComparisonRow row{
        {title(e.method),
         {},
         interval(e),
         e.variation ? figure(*e.variation) : QString(),
         {},
         {},
         e.seconds ? figure(*e.seconds) : QString(),
         QString::fromUtf8(results_text::verdictWords[static_cast<std::size_t>(judged.verdict)])},
        QString::fromStdString(verdictText(judged.verdict, target)),
        QString::fromStdString(e.why)};
    auto& cells = row.cells;
    switch (e.kind) {
        case EstimateKind::Value:
            cells[1] = figure(e.failureProbability);
            cells[4] = figure(e.beta);
            break;
        case EstimateKind::Bound:
            cells[1] = bound(results_text::pfBelow, e.failureProbability);
            cells[4] = bound(results_text::betaAbove, e.beta);
            break;
        case EstimateKind::None:
            cells[1] = QString::fromUtf8(results_text::noFigure);
            break;
    }
    if (e.count > 0)
        cells[5] = e.countsEvaluations
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
