#pragma once

#include <ostream>

#include "analysis/analysis.hpp"
#include "cli/command_line.hpp"

namespace ferrolith {

// Whether the command line names a file to write from the analysis once the run has ended:
// --json, --csv, --record, or --output for a method (a design run's report is saved when the run
// asks its save question).
bool writesAnalysis(const CommandLine& commandLine);

// Writes every such file the command line names, each from the analysis alone, whatever kind of
// run it holds; a failure is one line on errors. False when a file could not be written.
bool writeAnalysisOutputs(const CommandLine& commandLine, const Analysis& analysis,
                          std::ostream& errors);

}  // namespace ferrolith
