#pragma once

#include "cli/command_line.hpp"
#include "cli/standard_output.hpp"

namespace ferrolith {

// Runs FORM of the study and the design for the target the command line asks for (--design-for),
// prints FORM's report and the design's lines, writes the files asked for: the exit status.
int runDesignDriver(const CommandLine& commandLine, StandardOutput& out);

}  // namespace ferrolith
