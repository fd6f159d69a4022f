#include "cli/design_driver.hpp"

#include <iostream>

#include "analysis/design_for_target_text.hpp"
#include "cli/analysis_outputs.hpp"
#include "cli/driver_observer.hpp"
#include "cli/exit_status.hpp"

namespace ferrolith {

namespace {

// FORM's report with the design's lines after it: what the driver prints and --output saves.
std::string designReport(const std::string& formReport, const DesignForTarget& design) {
    std::string report = formReport + "\n";
    for (const std::string& line : designForTargetLines(design)) report += line + "\n";
    return report;
}

}  // namespace

int runDesignDriver(const CommandLine& commandLine, StandardOutput& out) {
    DriverObserver observer(std::nullopt, std::cerr, progressShown(commandLine.quiet));
    reliability::MethodResult result = runMethod(commandLine.request, commandLine.method, observer);
    if (result.outcome == RunOutcome::Failed) return exitBadInput;
    if (result.outcome == RunOutcome::Aborted) {
        out.write(result.report);
        std::cerr << "ferrolith-cli: the method was ended by faulty input data\n";
        return exitAborted;
    }
    DesignRequest request = *commandLine.design;
    request.threads = result.threads;
    if (const auto problem = designRequestProblem(result.study, request)) {
        std::cerr << "ferrolith-cli: --design-for: " << *problem << '\n';
        return exitBadInput;
    }
    // The method's study holds the seed it used, from the clock when none was given.
    const DesignForTarget design = designForTarget(result.study, request);
    result.report = designReport(result.report, design);
    out.write(result.report);
    const Study study = result.study;
    Analysis analysis = Analysis::ofMethod(std::move(result));
    analysis.setDesignForTarget(study, design);
    return writeAnalysisOutputs(commandLine, analysis, std::cerr) ? exitCompleted : exitSaveFailed;
}

}  // namespace ferrolith
