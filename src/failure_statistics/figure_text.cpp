#include "failure_statistics/figure_text.hpp"

#include <charconv>
#include <cmath>

namespace ferrolith {

namespace {

constexpr int significant = 4;

std::string chars(double x, std::chars_format format, int precision) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, x, format, precision).ptr;
    return std::string(text, end);
}

// "1.537e-04" as "1.537e-4": the exponent without padding, and without "+".
std::string scientific(double x) {
    std::string text = chars(x, std::chars_format::scientific, significant - 1);
    const auto e = text.find('e');
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return text.substr(0, e + 1) + (negative ? "-" : "") + exponent;
}

std::string probabilityRange(const ProbabilityInterval& interval) {
    return formatFigure(interval.lower) + " to " + formatFigure(interval.upper);
}

std::string streamIntervalText(const StreamSpread& s) {
    if (!s.mean) return "needs two distinct streams";
    if (!s.interval)
        return "none: every stream gives Pf " + formatFigure(*s.mean) +
               ", so there is no spread to measure";
    return probabilityRange(*s.interval) + " (mean " + formatFigure(*s.mean) + ")";
}

// Which interval to trust, and why.
std::string intervalAdvice(const FailureFigures& f) {
    const StreamSpread& s = f.streams;
    if (f.failures == 0)
        return "Trust the Wilson bound: no sample failed, so the between-stream interval has "
               "no spread to measure, while the Wilson bound says how small Pf must be.";
    if (!s.mean)
        return "Trust the Wilson interval: with one generator stream there is no spread between "
               "streams to measure.";
    if (s.repeatedRepetitions == 0)
        return "Trust the Wilson interval: every repetition has a generator stream of its own, "
               "so the samples are independent, as it assumes.";
    const std::string repeated = formatCount(s.repeatedRepetitions) + " of " +
                                 std::to_string(f.repetitions) + " repetitions repeat a stream";
    if (!s.interval)
        return "Trust the Wilson interval: " + repeated +
               ", but every stream gives the same Pf, so there is no spread between streams to "
               "measure.";
    const double wilsonWidth = f.wilson.upper - f.wilson.lower;
    const double streamWidth = s.interval->upper - s.interval->lower;
    if (streamWidth >= wilsonWidth)
        return "Trust the between-stream interval: " + repeated +
               " and draw the same uniforms, which the Wilson interval counts as independent "
               "samples.";
    return "Trust the Wilson interval: " + repeated +
           ", but the between-stream interval, estimated from only " + std::to_string(s.streams) +
           " stream averages, came out narrower by chance.";
}

}  // namespace

std::string formatFigure(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "infinity" : "-infinity";
    if (x == 0.0) return "0";
    const double magnitude = std::abs(x);
    if (magnitude < 1e-3 || magnitude >= 1e5) return scientific(x);
    // Rounding to 4 digits can carry into a fifth place (99995 to 1.000e5), which to_chars
    // handles in scientific notation; the decimals follow the rounded value's magnitude.
    const std::string rounded = scientific(x);
    double value = 0.0;
    std::from_chars(rounded.data(), rounded.data() + rounded.size(), value);
    if (std::abs(value) >= 1e5) return rounded;
    const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
    return chars(x, std::chars_format::fixed, std::max(0, significant - 1 - exponent));
}

std::string formatCount(std::int64_t n) { return std::to_string(n); }

std::string formatFigureList(const std::vector<double>& values) {
    std::string text;
    for (double v : values) text += (text.empty() ? "" : " ") + formatFigure(v);
    return text;
}

std::string statusLine(RunStatus status, int completed, int planned) {
    const std::string done = std::to_string(completed);
    switch (status) {
        case RunStatus::Running:
            return "Run under way: " + done + " of " + std::to_string(planned) +
                   " repetitions completed.";
        case RunStatus::Completed:
            return "Run completed: " + done + " repetitions.";
        case RunStatus::Aborted:
            // With none completed there are no figures to speak of.
            return "The run aborted on faulty input data after " + done + " of " +
                   std::to_string(planned) + " repetitions" +
                   (completed > 0 ? "; the figures cover those." : ".");
    }
    return {};
}

std::vector<FigureLine> figureLines(const FailureFigures& f) {
    std::vector<FigureLine> lines{
        {"Samples", formatCount(f.samples)},
        {"Failures", formatCount(f.failures)},
    };
    if (f.failures > 0) {
        lines.push_back({"Failure probability Pf", formatFigure(f.failureProbability)});
        lines.push_back({"95% Wilson interval", probabilityRange(f.wilson)});
        lines.push_back({"Coefficient of variation", formatFigure(*f.variation)});
        lines.push_back(
            {"Reliability index beta", formatFigure(f.reliabilityIndex) + " (" +
                                           formatFigure(f.reliabilityInterval.lower) + " to " +
                                           formatFigure(f.reliabilityInterval.upper) + ")"});
        lines.push_back({"Return period", "1 in " + formatFigure(*f.returnPeriod)});
    } else {
        lines.push_back({"Failure probability Pf", "0: Pf below " + formatFigure(f.wilson.upper)});
        lines.push_back({"95% Wilson interval", probabilityRange(f.wilson)});
        lines.push_back({"Coefficient of variation", "none: no sample failed"});
        lines.push_back(
            {"Reliability index beta", "above " + formatFigure(f.reliabilityInterval.lower)});
        lines.push_back({"Return period", "above 1 in " + formatFigure(1 / f.wilson.upper)});
    }
    lines.push_back({"Repetitions repeating an earlier stream",
                     formatCount(f.streams.repeatedRepetitions) + " of " +
                         std::to_string(f.repetitions) + " (" + std::to_string(f.streams.streams) +
                         (f.streams.streams == 1 ? " stream)" : " distinct streams)")});
    lines.push_back({"Between-stream 95% interval", streamIntervalText(f.streams)});
    return lines;
}

std::optional<std::string> smallSampleWarning(const FailureFigures& f) {
    if (f.fewestSamples >= fewSamplesLimit) return std::nullopt;
    return "With only " + formatCount(f.fewestSamples) +
           (f.fewestSamples == 1 ? " sample" : " samples") +
           " a repetition, Pf is biased: every repetition's first sample comes from a corner of "
           "the input space (a seed of at most " +
           std::to_string(largestRepetitionSeed) +
           " keeps the first uniform after it below 0.2452); the bias falls as 1/N and no "
           "interval allows for it, so use " +
           std::to_string(fewSamplesLimit) + " samples a repetition or more.";
}

std::string adviceLine(const FailureFigures& f) {
    const auto warning = smallSampleWarning(f);
    return intervalAdvice(f) + (warning ? " " + *warning : "");
}

std::vector<std::array<std::string, 4>> importanceRows(const FailureFigures& f) {
    std::vector<std::array<std::string, 4>> rows;
    for (const InputImportance& i : f.importance) {
        const std::string sign = i.shift > 0 ? "+" : "";
        rows.push_back({std::string(info(i.variable).caption), formatFigure(i.failedMean),
                        formatFigure(i.mean), sign + formatFigure(i.shift)});
    }
    return rows;
}

std::string figuresAsText(const FailureFigures& f) {
    std::string text = statusLine(f.status, f.repetitions, f.plannedRepetitions) + "\n";
    for (const FigureLine& line : figureLines(f)) text += line.label + ": " + line.value + "\n";
    text += adviceLine(f) + "\n";
    const auto rows = importanceRows(f);
    if (rows.empty()) return text;
    text += std::string("\n") + importanceCaption + "\n";
    const auto appendRow = [&text](const auto& cells) {
        text += cells[0];
        for (std::size_t c = 1; c < cells.size(); ++c) text += std::string("\t") + cells[c];
        text += "\n";
    };
    appendRow(importanceHeads);
    for (const auto& row : rows) appendRow(row);
    return text;
}

}  // namespace ferrolith
