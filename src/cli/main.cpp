#include <iostream>

#include "cli/analysis_outputs.hpp"
#include "cli/command_line.hpp"
#include "cli/design_driver.hpp"
#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"
#include "cli/method_driver.hpp"
#include "cli/range_warnings.hpp"
#include "cli/standard_output.hpp"
#include "report/message_text.hpp"
#include "session/simulation_run.hpp"

using namespace ferrolith;

namespace {

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
    // Before the run's output, which stays the run's own: a design report is the same either way.
    sayRangeWarnings(Analysis(request.study), std::cerr);
    if (commandLine.design) return runDesignDriver(commandLine, out);
    if (commandLine.method.method != reliability::Method::MonteCarlo)
        return runMethodDriver(commandLine, out);

    DriverObserver observer(commandLine.outputFile, std::cerr, progressShown(commandLine.quiet));
    const RunResult run = runSimulation(request, observer);
    out.write(run.report);

    // Aborted runs are recorded too: their outcome and the repetitions before the fault. FORM of
    // the study costs milliseconds: the analysis is made only for a file that holds it.
    const bool written = !run.recorded() || !writesAnalysis(commandLine) ||
                         writeAnalysisOutputs(commandLine, Analysis::ofDesignRun(run), std::cerr);
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
