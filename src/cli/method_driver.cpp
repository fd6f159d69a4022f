#include "cli/method_driver.hpp"

#include <iostream>

#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"
#include "cli/record_output.hpp"
#include "files/results_json.hpp"
#include "files/results_csv.hpp"

namespace ferrolith {

namespace {

// The report (--output), the results (--json, and --csv for independent Monte Carlo) and the
// record (--record); false when one could not be written.
bool writeFiles(const CommandLine& commandLine, const reliability::MethodResult& result) {
    const Analysis analysis = Analysis::ofMethod(result);
    bool written = true;
    if (commandLine.outputFile)
        written = writeOrSay(*commandLine.outputFile, result.report, std::cerr) && written;
    if (const std::string& json = commandLine.files.json; !json.empty())
        written = writeOrSay(json, resultsJsonText(analysis), std::cerr) && written;
    if (const std::string& csv = commandLine.files.csv; !csv.empty())
        written = writeOrSay(csv, resultsCsv(analysis), std::cerr) && written;
    if (const std::string& record = commandLine.files.record; !record.empty())
        written = writeRecordOrSay(record, calculationRecord(analysis), std::cerr) && written;
    return written;
}

}  // namespace

int runMethodDriver(const CommandLine& commandLine, StandardOutput& out) {
    DriverObserver observer(std::nullopt, std::cerr);
    const reliability::MethodResult result =
        runMethod(commandLine.request, commandLine.method, observer);
    if (result.outcome == RunOutcome::Failed) return exitBadInput;
    out.write(result.report);
    const bool written = writeFiles(commandLine, result);
    if (result.outcome == RunOutcome::Aborted) {
        std::cerr << "ferrolith-cli: the method was ended by faulty input data\n";
        return written ? exitAborted : exitSaveFailed;
    }
    if (!written) return exitSaveFailed;
    if (result.notConverged()) {
        std::cerr << "ferrolith-cli: " << result.form->form.message << '\n';
        return exitFormNotConverged;
    }
    return exitCompleted;
}

}  // namespace ferrolith
