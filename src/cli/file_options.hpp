#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "model/study.hpp"

namespace CLI {
class App;
}

namespace ferrolith {

// The files of a run besides the report: the study its inputs start from, the study it writes
// before running, and the results it writes after.
struct FileOptions {
    std::string study;      // --study FILE
    std::string saveStudy;  // --save-study FILE
    std::string json;       // --json FILE
    std::string csv;        // --csv FILE
    std::string record;     // --record FILE: the calculation record, PDF
};

void addFileOptions(CLI::App& app, FileOptions& options);

// An option that names a file was given an empty name: throws CommandLineError.
void requireFileName(const CLI::App& app, const char* option, const std::string& name);

// Replaces study with the one named by --study, keeping the counts the command line gives
// itself; apply the per-variable options and --seed after this. Throws CommandLineError.
void applyStudyOption(const CLI::App& app, const FileOptions& options, Study& study);

// Writes text to path through the safe save; a failure is one line on errors. False then.
bool writeOrSay(const std::string& path, const std::string& text, std::ostream& errors);

// Writes study to the file --save-study names, if any, as every kind of run does before it
// starts; false when it could not be written.
bool saveStudyOrSay(const FileOptions& options, const Study& study, std::ostream& errors);

}  // namespace ferrolith
