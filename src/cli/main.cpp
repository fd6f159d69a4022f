#include <cstdio>
#include <iostream>

#include "cli/command_line.hpp"
#include "run/simulation_run.hpp"
#include "run/write_text_file.hpp"
#include "study/study_file.hpp"
#include "study/window_study.hpp"

using namespace ferrolith;

namespace {

// A file that could not be written, as one line on the error stream.
void reportSaveError(const std::string& path, const std::string& description) {
    std::string message = saveErrorMessage(path, description);
    message.replace(message.find("\r\n"), 2, ": ");
    std::cerr << "ferrolith-cli: " << message << '\n';
}

}  // namespace

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
    if (const std::string& path = commandLine.studyFiles.saveStudy; !path.empty()) {
        if (const auto failure = writeStudyFile(path, studyOf(window, commandLine.seed))) {
            reportSaveError(path, *failure);
            return 4;
        }
    }
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
