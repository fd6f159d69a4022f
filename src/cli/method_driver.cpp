#include "cli/method_driver.hpp"

#include <iostream>

#include "cli/analysis_outputs.hpp"
#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"

namespace ferrolith {

int runMethodDriver(const CommandLine& commandLine, StandardOutput& out) {
    DriverObserver observer(std::nullopt, std::cerr);
    const reliability::MethodResult result =
        runMethod(commandLine.request, commandLine.method, observer);
    if (result.outcome == RunOutcome::Failed) return exitBadInput;
    out.write(result.report);
    const bool written = writeAnalysisOutputs(commandLine, Analysis::ofMethod(result), std::cerr);
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
