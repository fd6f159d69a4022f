#include "cli/output_paths.hpp"

#include <filesystem>
#include <string_view>

#include "report/message_text.hpp"

namespace ferrolith {

namespace {

namespace fs = std::filesystem;

// One file by its names: the same path once links and dots are resolved, or two links to it.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    const fs::path first = fs::weakly_canonical(a, error);
    if (error) return false;
    const fs::path second = fs::weakly_canonical(b, error);
    if (error) return false;
    if (first == second) return true;
    return fs::exists(first, error) && fs::exists(second, error) &&
           fs::equivalent(first, second, error);
}

}  // namespace

std::vector<NamedOutput> namedOutputs(const CommandLine& commandLine) {
    const FileOptions& files = commandLine.files;
    return {{"--output", commandLine.outputFile.value_or("")},
            {"--json", files.json},
            {"--csv", files.csv},
            {"--record", files.record},
            {"--save-study", files.saveStudy}};
}

void refuseClashingOutputs(const CommandLine& commandLine) {
    const std::vector<NamedOutput> outputs = namedOutputs(commandLine);
    const std::string& study = commandLine.files.study;
    for (auto output = outputs.begin(); output != outputs.end(); ++output) {
        if (output->path.empty()) continue;
        if (!study.empty() && std::string_view(output->option) != "--save-study" &&
            sameFile(output->path, study))
            throw CommandLineError(
                std::string(output->option) +
                " names the study file --study reads: " + quotedText(output->path));
        for (auto other = outputs.begin(); other != output; ++other)
            if (!other->path.empty() && sameFile(other->path, output->path))
                throw CommandLineError(std::string(other->option) + " and " + output->option +
                                       " name one file: " + quotedText(output->path));
    }
}

}  // namespace ferrolith
