#include "cli/progress_line.hpp"

#include <cmath>
#include <cstdio>

namespace ferrolith {

namespace {

// Carriage return, then erase to the end of the line (ANSI/VT100).
constexpr const char* wipe = "\r\x1b[K";

std::string rateText(double perSecond) {
    char text[32];
    if (perSecond >= 1e6)
        std::snprintf(text, sizeof text, "%.2fM", perSecond / 1e6);
    else if (perSecond >= 1e3)
        std::snprintf(text, sizeof text, "%.1fk", perSecond / 1e3);
    else
        std::snprintf(text, sizeof text, "%.0f", perSecond);
    return text;
}

// Hours only when there are any: "0:07", "12:30", "1:02:03".
std::string clockText(double seconds) {
    const auto whole = static_cast<long long>(std::ceil(seconds));
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

}  // namespace

ProgressCount repetitionCount(const RunResult& run) {
    return {run.completedRepetitions(), run.plannedRepetitions, "repetitions",
            static_cast<double>(run.sampleSize)};
}

std::string progressText(const ProgressCount& count, std::chrono::duration<double> elapsed) {
    std::string text = std::to_string(count.done) + " of " + std::to_string(count.total) + " " +
                       std::string(count.unit);
    const double seconds = elapsed.count();
    if (seconds <= 0.0 || count.done == 0) return text;
    const double samples = static_cast<double>(count.done) * count.samplesEach;
    if (!count.totalKnown) return text + ", " + rateText(samples / seconds) + " samples/s";
    const double left =
        seconds / static_cast<double>(count.done) * static_cast<double>(count.total - count.done);
    return text + ", " + rateText(samples / seconds) + " samples/s, " + clockText(left) + " left";
}

std::string progressText(const RunResult& run, std::chrono::duration<double> elapsed) {
    return progressText(repetitionCount(run), elapsed);
}

ProgressLine::ProgressLine(std::ostream& terminal, bool shown, Now now)
    : terminal_(terminal), shown_(shown), now_(std::move(now)) {}

void ProgressLine::start() {
    if (shown_) started_ = now_();
}

void ProgressLine::advanced(const ProgressCount& count) {
    if (!shown_) return;
    const Clock::time_point now = now_();
    if (onScreen_ && now - drawn_ < interval) return;
    terminal_ << wipe << progressText(count, now - started_) << std::flush;
    drawn_ = now;
    onScreen_ = true;
}

void ProgressLine::erase() {
    if (!onScreen_) return;
    terminal_ << wipe << std::flush;
    onScreen_ = false;
}

}  // namespace ferrolith
