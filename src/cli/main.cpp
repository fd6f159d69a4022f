#include <unistd.h>

#include <iostream>

#include "cli/command_line.hpp"
#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"
#include "cli/method_driver.hpp"
#include "cli/record_output.hpp"
#include "cli/standard_output.hpp"
#include "files/results_csv.hpp"
#include "files/results_json.hpp"
#include "report/message_text.hpp"
#include "session/simulation_run.hpp"

using namespace ferrolith;

namespace {

// Writes the results files the options name; false when one could not be written.
bool writeResults(const FileOptions& files, const Analysis& analysis) {
    bool written = true;
    if (!files.json.empty())
        written = writeOrSay(files.json, resultsJsonText(analysis), std::cerr) && written;
    if (!files.csv.empty())
        written = writeOrSay(files.csv, resultsCsv(analysis), std::cerr) && written;
    if (!files.record.empty())
        written = writeRecordOrSay(files.record, calculationRecord(analysis), std::cerr) && written;
    return written;
}

// Parses the command line, runs, and prints the report: the exit status.
int runDriver(const std::vector<std::string>& args, StandardOutput& out) {
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(args, std::cout);
    } catch (const CommandLineError& e) {
        std::cerr << "ferrolith-cli: " << oneLineMessage(e.what()) << '\n';
        return exitBadInput;
    }
    if (commandLine.helpShown) return exitCompleted;
    const RunRequest& request = commandLine.request;
    if (!saveStudyOrSay(commandLine.files, request.study, std::cerr)) return exitSaveFailed;
    if (commandLine.method.method != reliability::Method::MonteCarlo)
        return runMethodDriver(commandLine, out);

    DriverObserver observer(commandLine.outputFile, std::cerr,
                            !commandLine.quiet && ::isatty(STDERR_FILENO) == 1);
    const RunResult run = runSimulation(request, observer);
    out.write(run.report);

    // Aborted runs are recorded too: their outcome and the repetitions before the fault.
    const bool written =
        !run.recorded() || writeResults(commandLine.files, Analysis::ofDesignRun(run));
    switch (run.outcome) {
        case RunOutcome::Completed:
            return run.save == SaveOutcome::Failed || !written ? exitSaveFailed : exitCompleted;
        case RunOutcome::Aborted:
            std::cerr << "ferrolith-cli: the run was aborted by faulty input data\n";
            return written ? exitAborted : exitSaveFailed;
        default:
            return exitBadInput;
    }
}

}  // namespace

int main(int argc, char** argv) {
    StandardOutput out;
    const int status = runDriver(std::vector<std::string>(argv + 1, argv + argc), out);
    // A report that did not arrive is a failure, whatever the run's own outcome.
    if (const auto failure = out.close()) {
        std::cerr << "ferrolith-cli: cannot write to standard output: " << *failure << '\n';
        return exitOutputFailed;
    }
    return status;
}
