#pragma once

#include <string>
#include <vector>

#include "cli/command_line.hpp"

namespace ferrolith {

// An option that names a file the run writes, and that name; empty when it was not given.
struct NamedOutput {
    const char* option;
    std::string path;
};

// Every output option of the command line with the file it names: the report, the results, the
// record and the study written before the run.
std::vector<NamedOutput> namedOutputs(const CommandLine& commandLine);

// Throws CommandLineError when two outputs name one file, or when one besides --save-study names
// the study --study reads: either would be overwritten by the other before anyone reads it.
void refuseClashingOutputs(const CommandLine& commandLine);

}  // namespace ferrolith
