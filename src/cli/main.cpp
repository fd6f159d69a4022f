#include <iostream>

#include "cli/command_line.hpp"
#include "cli/exit_status.hpp"
#include "cli/standard_output.hpp"
#include "run/message_text.hpp"
#include "run/simulation_run.hpp"

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

    TerminalWindow window(commandLine.inputs, std::cerr);
    SimulationRun run(window);
    run.setSystemRandomSeed(commandLine.seed);
    run.setEngine(commandLine.reference ? Engine::Reference : Engine::Fast);
    run.setThreads(commandLine.threads);
    const RunOutcome outcome = run.btmCalc_Click();
    out.write(window.report());

    switch (outcome) {
        case RunOutcome::Completed:
            return run.lastSave() == SaveOutcome::Failed ? exitSaveFailed : exitCompleted;
        case RunOutcome::Aborted:
            std::cerr << "ferrolith-cli: the run was aborted by faulty input data\n";
            return exitAborted;
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
