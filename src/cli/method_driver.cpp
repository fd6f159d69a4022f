#include "cli/method_driver.hpp"

#include <algorithm>
#include <iostream>

#include "cli/analysis_outputs.hpp"
#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"
#include "report/count_text.hpp"

namespace ferrolith {

namespace {

using namespace reliability;

// The progress line's count for a method's progress: importance sampling's blocks as the
// samples in them, independent Monte Carlo's repetitions, subset simulation's samples of the
// levels begun (how many levels there will be is not known, so no time left). FORM and SORM tell
// none: they take milliseconds.
ProgressCount methodCount(const CommandLine& commandLine, std::int64_t done, std::int64_t total) {
    if (commandLine.method.method == Method::SubsetSimulation)
        return {done, total, "samples of the levels begun", 1.0, false};
    if (commandLine.method.method == Method::ImportanceSampling) {
        const std::int64_t samples = commandLine.method.importanceSamples;
        return {std::min(done * importanceBlockSamples, samples), samples, "samples", 1.0};
    }
    const double sampleSize = convertCount(commandLine.request.study.samples).value_or(0);
    return {done, total, "repetitions", sampleSize};
}

}  // namespace

int runMethodDriver(const CommandLine& commandLine, StandardOutput& out) {
    DriverObserver observer(std::nullopt, std::cerr, progressShown(commandLine.quiet));
    const MethodProgress progress{[&](std::int64_t done, std::int64_t total) {
        observer.methodAdvanced(methodCount(commandLine, done, total));
    }};
    observer.methodStarted();
    const MethodResult result =
        runMethod(commandLine.request, commandLine.method, observer, progress);
    observer.methodEnded();
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
