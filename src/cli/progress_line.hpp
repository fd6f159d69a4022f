#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "model/run_result.hpp"

namespace ferrolith {

// How far a run or a method has come: done of total units of samplesEach samples.
struct ProgressCount {
    std::int64_t done = 0;
    std::int64_t total = 0;
    std::string_view unit;  // plural: "repetitions", "samples"
    double samplesEach = 1.0;
    bool totalKnown = true;  // false: the total grows as the method goes, and no time left is told
};

// A design run's repetitions.
ProgressCount repetitionCount(const RunResult& run);

// The text of the progress line: "12 of 100 repetitions, 3.41M samples/s, 0:07 left" (without the
// time left when the total is not known). elapsed is
// the time since the run started; rates and the time left are left out until any time has passed.
std::string progressText(const ProgressCount& count, std::chrono::duration<double> elapsed);
std::string progressText(const RunResult& run, std::chrono::duration<double> elapsed);

// The driver's progress while it runs, one line on a terminal rewritten in place a few times a
// second and erased at the end, so that the report and the messages never meet it.
class ProgressLine {
  public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;

    // shown false: every call does nothing (not a terminal, or --quiet).
    ProgressLine(std::ostream& terminal, bool shown, Now now = Clock::now);

    void start();
    // Redraws after the first unit done and then at most every interval.
    void advanced(const ProgressCount& count);
    // Wipes the line, if one is drawn, before a message or at the end.
    void erase();

    static constexpr std::chrono::milliseconds interval{250};

  private:
    std::ostream& terminal_;
    bool shown_;
    Now now_;
    Clock::time_point started_{};
    Clock::time_point drawn_{};
    bool onScreen_ = false;
};

}  // namespace ferrolith
