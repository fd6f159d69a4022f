#include "cli/file_options.hpp"

#include <CLI/CLI.hpp>

#include "cli/command_line.hpp"
#include "files/safe_file_write.hpp"
#include "files/study_file.hpp"
#include "report/message_text.hpp"
#include "report/save_error_message.hpp"

namespace ferrolith {

void requireFileName(const CLI::App& app, const char* option, const std::string& name) {
    if (app.count(option) && name.empty())
        throw CommandLineError(std::string(option) + " needs a file name");
}

void addFileOptions(CLI::App& app, FileOptions& options) {
    app.add_option("--study", options.study,
                   "Start from the inputs of a study file (JSON, as the window's Save Study As "
                   "writes it); the options given beside it override its values")
        ->type_name("FILE");
    app.add_option("--save-study", options.saveStudy,
                   "Write the study that the other options describe to FILE, then run as usual")
        ->type_name("FILE");
    app.add_option("--json", options.json,
                   "Write the results to FILE as JSON: the study with the seed used, the failure "
                   "statistics, the overall and per-repetition figures, the inputs at failure, "
                   "FORM, the verdict against the target index and the report")
        ->type_name("FILE");
    app.add_option("--csv", options.csv,
                   "Write the repetitions' figures to FILE as CSV, one row a repetition; for form, "
                   "sorm and importance-sampling, which have none, FORM's design point, one row an "
                   "input")
        ->type_name("FILE");
    app.add_option("--record", options.record,
                   "Write the calculation record to FILE as PDF (A4): the study with the seed "
                   "used, the failure figures, warnings, charts, inputs at failure, FORM and the "
                   "report, or with --method that method's results; needs no display")
        ->type_name("FILE");
}

void applyStudyOption(const CLI::App& app, const FileOptions& options, Study& study) {
    requireFileName(app, "--study", options.study);
    requireFileName(app, "--save-study", options.saveStudy);
    requireFileName(app, "--json", options.json);
    requireFileName(app, "--csv", options.csv);
    requireFileName(app, "--record", options.record);
    if (!app.count("--study")) return;
    Study fromFile;
    try {
        fromFile = readStudyFile(options.study);
    } catch (const StudyFileError& e) {
        throw CommandLineError(e.what());
    }
    if (app.count("--repetitions")) fromFile.repetitions = study.repetitions;
    if (app.count("--samples")) fromFile.samples = study.samples;
    study = fromFile;
}

}  // namespace ferrolith

namespace ferrolith {

bool writeOrSay(const std::string& path, const std::string& text, std::ostream& errors) {
    const auto failure = writeFileSafely(path, text);
    if (!failure) return true;
    errors << "ferrolith-cli: " << oneLineMessage(saveErrorMessage(path, *failure)) << '\n';
    return false;
}

bool saveStudyOrSay(const FileOptions& options, const Study& study, std::ostream& errors) {
    return options.saveStudy.empty() || writeOrSay(options.saveStudy, studyFileText(study), errors);
}

}  // namespace ferrolith
