#include "ui/main/run_news.hpp"

namespace ferrolith {

namespace {

void append(RunResult& shown, const std::string& text, std::span<RunListener* const> listeners) {
    if (text.empty()) return;
    shown.report += text;
    for (RunListener* l : listeners) l->reportAppended(text);
}

}  // namespace

void RunNews::tell(RunResult& shown, std::span<RunListener* const> listeners) {
    if (started) {
        shown = std::move(*started);
        for (RunListener* l : listeners) l->runStarted(shown);
    }
    append(shown, report, listeners);
    if (!repetitions.empty()) {
        shown.repetitions.insert(shown.repetitions.end(), repetitions.begin(), repetitions.end());
        shown.tallies.insert(shown.tallies.end(), tallies.begin(), tallies.end());
        if (!lastEffect.empty()) {
            shown.lastEffect = std::move(lastEffect);
            shown.lastResist = std::move(lastResist);
        }
        for (RunListener* l : listeners) l->repetitionFinished(shown);
    }
    append(shown, trailing, listeners);
}

}  // namespace ferrolith
