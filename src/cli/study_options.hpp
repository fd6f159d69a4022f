#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "cli/terminal_window.hpp"

namespace CLI {
class App;
}

namespace ferrolith {

// The study files of a run: one its inputs start from, one it writes before running.
struct StudyOptions {
    std::string study;      // --study FILE
    std::string saveStudy;  // --save-study FILE
};

void addStudyOptions(CLI::App& app, StudyOptions& options);

// Starts the inputs and the seed from the study named by --study, keeping the counts and the seed
// that the command line gives itself; apply the per-variable options after this. Throws
// CommandLineError.
void applyStudyOption(const CLI::App& app, const StudyOptions& options, TerminalInputs& inputs,
                      std::optional<std::uint64_t>& seed);

}  // namespace ferrolith
