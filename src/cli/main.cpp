#include <cstdio>
#include <iostream>

#include "cli/command_line.hpp"
#include "run/simulation_run.hpp"

using namespace ferrolith;

int main(int argc, char** argv) {
    CommandLine commandLine;
    try {
        commandLine = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), std::cout);
    } catch (const CommandLineError& e) {
        std::cerr << "ferrolith-cli: " << e.what() << '\n';
        return 2;
    }
    if (commandLine.helpShown) return 0;

    TerminalWindow window(commandLine.inputs, std::cerr);
    SimulationRun run(window);
    run.setSystemRandomSeed(commandLine.seed);
    run.setEngine(commandLine.reference ? Engine::Reference : Engine::Fast);
    run.setThreads(commandLine.threads);
    const RunOutcome outcome = run.btmCalc_Click();

    const std::string& report = window.report();
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);

    switch (outcome) {
        case RunOutcome::Completed:
            return run.lastSave() == SaveOutcome::Failed ? 4 : 0;
        case RunOutcome::Aborted:
            std::cerr << "ferrolith-cli: the run was aborted by faulty input data\n";
            return 3;
        default:
            return 2;
    }
}
