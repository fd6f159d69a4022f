#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "session/run_observer.hpp"

namespace ferrolith {

// What a run told since the window last looked, gathered on the run's thread and handed to the
// window's thread whole. The report's text is split where the last repetition gathered ends, so
// that a listener told of repetitions holds the report of exactly those.
struct RunNews {
    std::optional<RunResult> started;  // the run as it started, if it started since
    std::string report;                // the pieces up to the end of the last repetition gathered
    std::vector<RepetitionFigures> repetitions;
    std::vector<RepetitionTally> tallies;
    std::vector<double> lastEffect, lastResist;  // set with the last repetition
    std::string trailing;                        // the pieces after it: before a question, the end

    // Brings shown, the window's copy of the run, up to date and tells each listener, in the
    // run's order: that it started, the report's text, the repetitions, the text after them.
    void tell(RunResult& shown, std::span<RunListener* const> listeners);
};

}  // namespace ferrolith
