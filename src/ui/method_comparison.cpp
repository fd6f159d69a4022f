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

QString intervalAndCov(const ProbabilityInterval& interval, const std::optional<double>& cov) {
    QString text = QString::fromUtf8(results_text::intervalOf)
                       .arg(figure(interval.lower), figure(interval.upper));
    if (cov)
        text += QStringLiteral(", ") + QString::fromUtf8(results_text::covOf).arg(figure(*cov));
    return text;
}

// A row of failure figures: the design run's or independent Monte Carlo's. Without failures
// only the interval's bounds are known: beta is above the one at Pf's upper bound, and meets
// the target only if that bound does.
ComparisonRow figuresRow(Method m, const FailureFigures& f, std::optional<double> time,
                         double target) {
    ComparisonRow row{title(m),
                      figure(f.failureProbability),
                      intervalAndCov(f.wilson, f.variation),
                      figure(f.reliabilityIndex),
                      count(f.samples),
                      time ? seconds(*time) : QString(),
                      targetVerdict(f.reliabilityIndex, target)};
    if (f.failures > 0) return row;
    const double least = f.reliabilityInterval.lower;
    row[1] = QString::fromUtf8(results_text::pfBelow).arg(figure(f.wilson.upper));
    row[3] = QString::fromUtf8(results_text::betaAbove).arg(figure(least));
    if (least < target)
        row[6] = QString::fromUtf8(results_text::notShownTarget).arg(targetText(target));
    return row;
}

// FORM's row, or SORM's with its own Pf and beta.
ComparisonRow formRow(const MethodResult& r, double target) {
    const FormResult& form = r.form->form;
    if (!form.converged)
        return {
            title(r.method), QString::fromUtf8(results_text::noDesignPoint), {}, {}, {}, {}, {}};
    double pf = form.failureProbability;
    double beta = form.beta;
    std::int64_t evaluations = form.evaluations;
    if (r.sorm) {
        const CurvatureCorrection& c = r.sorm->estimate();
        pf = c.failureProbability;
        beta = c.beta;
        evaluations += r.sorm->evaluations;
    }
    return {title(r.method),
            figure(pf),
            {},
            figure(beta),
            QString::fromUtf8(results_text::evaluations).arg(count(evaluations)),
            seconds(r.elapsed),
            targetVerdict(beta, target)};
}

ComparisonRow samplingRow(const MethodResult& r, double target) {
    const ImportanceSamplingResult& s = *r.sampling;
    return {title(r.method),
            figure(s.failureProbability),
            intervalAndCov(s.interval, s.variation),
            figure(s.beta),
            count(s.samples),
            seconds(r.elapsed),
            targetVerdict(s.beta, target)};
}

std::optional<ComparisonRow> methodRow(const MethodResult& r, double target) {
    if (r.streams) {
        const auto figures = streamFigures(*r.streams);
        if (!figures) return std::nullopt;
        return figuresRow(r.method, *figures, r.elapsed, target);
    }
    if (r.sampling && r.sampling->message.empty()) return samplingRow(r, target);
    if (r.form) return formRow(r, target);
    return std::nullopt;
}

}  // namespace

QString targetText(double target) {
    // Two decimals by whole hundredths, whatever the locale.
    const long long hundredths = std::llround(target * 100.0);
    return QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar('0'));
}

QString targetVerdict(double beta, double target) {
    if (std::isnan(beta)) return {};
    const char* verdict = beta >= target ? results_text::meetsTarget : results_text::belowTarget;
    return QString::fromUtf8(verdict).arg(targetText(target));
}

std::vector<ComparisonRow> comparisonRows(const std::optional<DesignEstimate>& design,
                                          std::span<const MethodResult> methods, double target) {
    std::vector<ComparisonRow> rows;
    if (design)
        rows.push_back(figuresRow(Method::MonteCarlo, design->figures, design->seconds, target));
    for (const MethodResult& r : methods)
        if (const auto row = methodRow(r, target)) rows.push_back(*row);
    return rows;
}

}  // namespace ferrolith
