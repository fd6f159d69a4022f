#pragma once

#include "cli/command_line.hpp"
#include "cli/standard_output.hpp"

namespace ferrolith {

// Runs the method the command line names (not the design run), prints its report, writes the
// files asked for: the exit status.
int runMethodDriver(const CommandLine& commandLine, StandardOutput& out);

}  // namespace ferrolith
