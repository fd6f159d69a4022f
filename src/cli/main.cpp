#include <cstdio>
#include <iostream>

#include "cli/command_line.hpp"
#include "results_file/results_csv.hpp"
#include "results_file/results_json.hpp"
#include "run/simulation_run.hpp"
#include "study/study_file.hpp"
#include "study/window_study.hpp"

using namespace ferrolith;

namespace {

// Writes the results files the options name; false when one could not be written.
bool writeResults(const FileOptions& files, const RunRecord& record) {
    bool written = true;
    if (!files.json.empty())
        written = writeOrSay(files.json, resultsJsonText(record), std::cerr) && written;
    if (!files.csv.empty())
        written = writeOrSay(files.csv, resultsCsv(record.state), std::cerr) && written;
    return written;
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
    if (const std::string& path = commandLine.files.saveStudy;
        !path.empty() &&
        !writeOrSay(path, studyFileText(studyOf(window, commandLine.seed)), std::cerr))
        return 4;
    SimulationRun run(window);
    run.setSystemRandomSeed(commandLine.seed);
    run.setEngine(commandLine.reference ? Engine::Reference : Engine::Fast);
    run.setThreads(commandLine.threads);
    const RunOutcome outcome = run.btmCalc_Click();

    const std::string& report = window.report();
    std::fwrite(report.data(), 1, report.size(), stdout);
    std::fflush(stdout);

    // Aborted runs are recorded too: their outcome and the repetitions before the fault.
    const auto record = RunRecord::of(run, report);
    const bool written = !record || writeResults(commandLine.files, *record);
    switch (outcome) {
        case RunOutcome::Completed:
            return run.lastSave() == SaveOutcome::Failed || !written ? 4 : 0;
        case RunOutcome::Aborted:
            std::cerr << "ferrolith-cli: the run was aborted by faulty input data\n";
            return written ? 3 : 4;
        default:
            return 2;
    }
}
