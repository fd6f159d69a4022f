#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/design_for_target.hpp"
#include "cli/file_options.hpp"
#include "model/run_result.hpp"
#include "session/method_run.hpp"

namespace ferrolith {

// A command line that cannot be run; the message says why.
class CommandLineError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CommandLine {
    RunRequest request;                     // a study without a seed takes one from the clock
    std::optional<std::string> outputFile;  // answer the save question with Yes, saving here
    bool helpShown = false;                 // --help or --version printed; nothing to run
    bool quiet = false;                     // no progress line, even on a terminal
    FileOptions files;
    // --method, --is-samples, --subset-samples, --subset-runs and --target-cov; the design run
    // unless the method is another.
    MethodOptions method{reliability::Method::MonteCarlo};
    // --design-for, --keep and --range: search the input's first number for the target instead
    // of a run (FORM of the study is the method then).
    std::optional<DesignRequest> design;
};

// A variable by its name (BeamLength ... UdlValue) or its index 0 to 6.
std::optional<InputVariable> variableNamed(std::string_view text);

// Parses the driver's options; prints --help to out. Throws CommandLineError.
CommandLine parseCommandLine(const std::vector<std::string>& args, std::ostream& out);

}  // namespace ferrolith
