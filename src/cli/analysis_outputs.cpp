#include "cli/analysis_outputs.hpp"

#include <string_view>

#include "cli/output_paths.hpp"
#include "cli/record_output.hpp"
#include "files/results_csv.hpp"
#include "files/results_json.hpp"

namespace ferrolith {

namespace {

using Writer = bool (*)(const std::string& path, const Analysis& analysis, std::ostream& errors);

bool writeReport(const std::string& path, const Analysis& analysis, std::ostream& errors) {
    return writeOrSay(path, analysis.methods().front().report, errors);
}
bool writeJson(const std::string& path, const Analysis& analysis, std::ostream& errors) {
    return writeOrSay(path, resultsJsonText(analysis), errors);
}
bool writeCsv(const std::string& path, const Analysis& analysis, std::ostream& errors) {
    return writeOrSay(path, resultsCsv(analysis), errors);
}
bool writeRecord(const std::string& path, const Analysis& analysis, std::ostream& errors) {
    return writeRecordOrSay(path, calculationRecord(analysis), errors);
}

// What each output option writes after the run; --save-study is written before it.
struct AnalysisOutput {
    std::string_view option;
    Writer write;
    bool methodsOnly;  // a design run writes it itself
};

constexpr AnalysisOutput analysisOutputs[] = {
    {"--output", writeReport, true},
    {"--json", writeJson, false},
    {"--csv", writeCsv, false},
    {"--record", writeRecord, false},
};

// The outputs the command line names, each with its writer.
template <typename Each>
void forEachOutput(const CommandLine& commandLine, Each each) {
    const bool design = commandLine.method.method == reliability::Method::MonteCarlo;
    for (const NamedOutput& named : namedOutputs(commandLine)) {
        if (named.path.empty()) continue;
        for (const AnalysisOutput& output : analysisOutputs)
            if (output.option == named.option && !(design && output.methodsOnly))
                each(named.path, output.write);
    }
}

}  // namespace

bool writesAnalysis(const CommandLine& commandLine) {
    bool any = false;
    forEachOutput(commandLine, [&any](const std::string&, Writer) { any = true; });
    return any;
}

bool writeAnalysisOutputs(const CommandLine& commandLine, const Analysis& analysis,
                          std::ostream& errors) {
    bool written = true;
    forEachOutput(commandLine, [&](const std::string& path, Writer write) {
        written = write(path, analysis, errors) && written;
    });
    return written;
}

}  // namespace ferrolith
