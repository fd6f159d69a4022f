// The driver's progress line: its text, how often it is drawn, and when it appears at all.
#include "cli/progress_line.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/driver_observer.hpp"
#include "support/file_test_support.hpp"
#include "support/run_cli.hpp"

namespace ferrolith {
namespace {

using namespace std::chrono_literals;
using testing::runCliErrorsIntoPipe;
using testing::runCliOnTerminal;

const std::string wipe = "\r\x1b[K";

RunResult runAfter(int done, int planned, int samples) {
    RunResult run;
    run.plannedRepetitions = planned;
    run.sampleSize = samples;
    run.repetitions.resize(static_cast<std::size_t>(done));
    return run;
}

TEST(ProgressText, CountsRateAndTimeLeft) {
    struct Case {
        int done, planned, samples;
        std::chrono::duration<double> elapsed;
        const char* text;
    };
    const Case cases[] = {
        {0, 25, 1000, 0s, "0 of 25 repetitions"},
        {1, 25, 1000, 0s, "1 of 25 repetitions"},
        {5, 25, 1000, 2s, "5 of 25 repetitions, 2.5k samples/s, 0:08 left"},
        {12, 100, 32767, 3s, "12 of 100 repetitions, 131.1k samples/s, 0:22 left"},
        {1000, 32767, 32767, 10s, "1000 of 32767 repetitions, 3.28M samples/s, 5:18 left"},
        {1, 32767, 32767, 1s, "1 of 32767 repetitions, 32.8k samples/s, 9:06:06 left"},
        {3, 4, 10, 90s, "3 of 4 repetitions, 0 samples/s, 0:30 left"},
        {2, 4, 100, 1.5s, "2 of 4 repetitions, 133 samples/s, 0:02 left"},
        {4, 4, 1000, 1s, "4 of 4 repetitions, 4.0k samples/s, 0:00 left"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(progressText(runAfter(c.done, c.planned, c.samples), c.elapsed), c.text);
    // Importance sampling counts samples, past what an int holds.
    EXPECT_EQ(progressText(ProgressCount{3'000'000'000, 4'000'000'000, "samples", 1.0}, 1000s),
              "3000000000 of 4000000000 samples, 3.00M samples/s, 5:34 left");
}

// A clock the test moves by hand.
struct HandClock {
    ProgressLine::Clock::time_point now{};
    ProgressLine::Now reader() {
        return [this] { return now; };
    }
};

TEST(ProgressLine, DrawsAFewTimesASecondAndErasesBeforeMessagesAndAtTheEnd) {
    HandClock clock;
    std::ostringstream terminal;
    DriverObserver observer(std::nullopt, terminal, true, clock.reader());
    observer.runStarted(runAfter(0, 4, 1000));
    clock.now += 100ms;
    observer.repetitionFinished(runAfter(1, 4, 1000));  // the first is always drawn
    clock.now += 100ms;
    observer.repetitionFinished(runAfter(2, 4, 1000));  // too soon after it
    clock.now += ProgressLine::interval;
    observer.repetitionFinished(runAfter(3, 4, 1000));
    observer.messageBox("Bad data", std::nullopt, MessageIcon::None, MessageButtons::Ok);
    observer.repetitionFinished(runAfter(4, 4, 1000));  // drawn again after the message
    observer.runEnded(runAfter(4, 4, 1000));
    observer.runEnded(runAfter(4, 4, 1000));  // nothing left to erase
    EXPECT_EQ(terminal.str(), wipe + "1 of 4 repetitions, 10.0k samples/s, 0:01 left" + wipe +
                                  "3 of 4 repetitions, 6.7k samples/s, 0:01 left" + wipe +
                                  "Pellox: Bad data\n" + wipe +
                                  "4 of 4 repetitions, 8.9k samples/s, 0:00 left" + wipe);
}

TEST(ProgressLine, NotShownDrawsNothing) {
    std::ostringstream terminal;
    DriverObserver observer(std::nullopt, terminal, false);
    observer.runStarted(runAfter(0, 2, 10));
    observer.repetitionFinished(runAfter(1, 2, 10));
    observer.runEnded(runAfter(2, 2, 10));
    EXPECT_EQ(terminal.str(), "");
}

// The text after the last wipe: what stays on the screen.
std::string afterLastWipe(const std::string& err) { return err.substr(err.rfind(wipe) + 4); }

TEST(DriverProgress, OnATerminalItIsDrawnAndErased) {
    const auto r = runCliOnTerminal("--seed 1 --repetitions 25 --samples 1000");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find(wipe + "1 of 25 repetitions"), std::string::npos) << r.err;
    // Erased before the save question, the one line that stays (the terminal ends it CR LF).
    EXPECT_EQ(afterLastWipe(r.err), "VKM: Simulation Complete Save File?\r\n");
}

// Every sampling method draws its progress on a terminal, erases it at the end, and draws
// nothing with --quiet or into a pipe. FORM and SORM take milliseconds and tell no progress.
TEST(DriverProgress, MethodsDrawTheirsOnATerminalOnly) {
    struct Case {
        const char* options;
        const char* first;  // the first line drawn, up to its rate
    };
    for (const Case& c :
         {Case{"--method importance-sampling --seed 1 --is-samples 200000",
               "1000 of 200000 samples"},
          Case{"--method independent-monte-carlo --seed 1 --repetitions 40 --samples 2000",
               "1 of 40 repetitions"}}) {
        SCOPED_TRACE(c.options);
        const auto r = runCliOnTerminal(c.options);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.err.find(wipe + c.first), std::string::npos) << r.err;
        EXPECT_EQ(afterLastWipe(r.err), "");
        for (const auto& quiet : {runCliOnTerminal(std::string("--quiet ") + c.options),
                                  runCliErrorsIntoPipe(c.options)}) {
            EXPECT_EQ(quiet.status, 0);
            EXPECT_EQ(quiet.err, "");
        }
    }
}

// A report that cannot be saved: its error follows the save question.
struct UnsavedRun {
    testing::TempFolder dir;
    std::string missing = (dir.missingFolder() / "r").string();
    std::string options = "--seed 1 --repetitions 3 --samples 10 --output " + missing;
};

TEST(DriverProgress, MessagesStandOnLinesOfTheirOwn) {
    const UnsavedRun unsaved;
    const auto r = runCliOnTerminal(unsaved.options);
    EXPECT_EQ(r.status, 4);
    const auto question = r.err.find(wipe + "VKM: Simulation Complete Save File?");
    ASSERT_NE(question, std::string::npos) << r.err;
    EXPECT_NE(r.err.find("3 repetitions"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("repetitions", question), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Error while saving file " + unsaved.missing, question),
              std::string::npos);
}

TEST(DriverProgress, NothingIntoAPipeOrWithQuiet) {
    const UnsavedRun unsaved;
    const std::string& run = unsaved.options;
    for (const auto& r : {runCliErrorsIntoPipe(run), runCliOnTerminal("--quiet " + run)}) {
        EXPECT_EQ(r.status, 4);
        EXPECT_EQ(r.err.find("repetitions"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Error while saving file " + unsaved.missing), std::string::npos);
    }
}

}  // namespace
}  // namespace ferrolith
