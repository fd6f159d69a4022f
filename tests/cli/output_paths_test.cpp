// Outputs that would overwrite each other, or the study being read, are refused before the run.
#include "cli/output_paths.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "files/results_csv.hpp"
#include "files/study_file.hpp"
#include "support/file_test_support.hpp"
#include "support/pdf_tools.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"

namespace ferrolith::test {
namespace {

using testing::TempFolder;

struct Case {
    std::string what;
    std::vector<std::string> args;  // {dir} stands for the test's folder
    std::string refusal;            // empty: the command line is accepted
};

std::vector<std::string> inFolder(std::vector<std::string> args, const std::string& dir) {
    for (std::string& arg : args)
        if (const auto at = arg.find("{dir}"); at != std::string::npos) arg.replace(at, 5, dir);
    return args;
}

TEST(OutputPaths, ClashesAreRefusedWithTheOptionsThatClash) {
    const TempFolder folder;
    const std::string dir = folder.path.string();
    testing::writeText(folder.path / "s.json", studyFileText(Study{}));
    testing::writeText(folder.path / "r.json", "earlier results");
    std::filesystem::create_symlink("r.json", folder.path / "link.json");
    std::filesystem::create_hard_link(folder.path / "s.json", folder.path / "hard.json");
    const std::string study = "\"" + dir + "/s.json\"";
    const std::vector<Case> cases = {
        {"apart",
         {"--json", "{dir}/a.json", "--csv", "{dir}/a.csv", "--record", "{dir}/a.pdf", "--output",
          "{dir}/a.txt", "--save-study", "{dir}/b.json"},
         ""},
        {"study rewritten", {"--study", "{dir}/s.json", "--save-study", "{dir}/s.json"}, ""},
        {"record over the study",
         {"--study", "{dir}/s.json", "--record", "{dir}/s.json"},
         "--record names the study file --study reads: " + study},
        {"report over the study",
         {"--study", "{dir}/s.json", "--output", "{dir}/./s.json"},
         "--output names the study file --study reads: \"" + dir + "/./s.json\""},
        {"results over a hard link of the study",
         {"--study", "{dir}/hard.json", "--json", "{dir}/s.json"},
         "--json names the study file --study reads: " + study},
        {"one name twice",
         {"--json", "{dir}/r.json", "--csv", "{dir}/r.json"},
         "--json and --csv name one file: \"" + dir + "/r.json\""},
        {"a new file twice",
         {"--record", "{dir}/new.pdf", "--output",
          "{dir}/../" + folder.path.filename().string() + "/new.pdf"},
         "--output and --record name one file: \"" + dir + "/new.pdf\""},
        {"a link and its target",
         {"--save-study", "{dir}/link.json", "--json", "{dir}/r.json"},
         "--json and --save-study name one file: \"" + dir + "/link.json\""},
    };
    for (const Case& c : cases) {
        std::ostringstream help;
        try {
            parseCommandLine(inFolder(c.args, dir), help);
            EXPECT_EQ(c.refusal, "") << c.what;
        } catch (const CommandLineError& e) {
            EXPECT_EQ(e.what(), c.refusal) << c.what;
        }
    }
}

TEST(OutputPaths, ARefusedRunWritesNothingAndLeavesTheStudy) {
    const TempFolder folder;
    const std::string study = (folder.path / "s.json").string();
    testing::writeText(study, studyFileText(Study{}));
    for (const std::string method : {"monte-carlo", "form"}) {
        const testing::Result r =
            testing::runCli("--method " + method + " --study " + study + " --record " + study);
        EXPECT_EQ(r.status, 2) << method;
        EXPECT_EQ(r.out, "") << method;
        EXPECT_EQ(r.err,
                  "ferrolith-cli: --record names the study file --study reads: \"" + study + "\"\n")
            << method;
        EXPECT_EQ(testing::slurp(study), studyFileText(Study{})) << method;
    }
}

// Every output option with every kind of run: each file written from what that run holds.
TEST(OutputPaths, EveryOutputIsWrittenForEveryKindOfRun) {
    const TempFolder folder;
    const std::string dir = folder.path.string() + "/";
    for (const std::string method :
         {"monte-carlo", "form", "sorm", "importance-sampling", "independent-monte-carlo"}) {
        SCOPED_TRACE(method);
        const testing::Result r = testing::runCli(
            "--method " + method + " --seed 2 --repetitions 3 --samples 200 --is-samples 1000" +
            " --quiet --output " + dir + "r.txt --json " + dir + "r.json --csv " + dir +
            "r.csv --record " + dir + "r.pdf --save-study " + dir + "s.json");
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(testing::slurp(dir + "r.txt").substr(0, 8),
                  method == "monte-carlo" ? "Input Da" : "Method: ");
        EXPECT_EQ(readStudyFile(dir + "s.json").seed, 2u);
        EXPECT_EQ(testing::countOf(testing::slurp(dir + "r.json"), "\n  \"verdict\": {"), 1);
        EXPECT_GT(testing::pdfPages(dir + "r.pdf"), 0);
        // The repetitions where the run has them, FORM's design point where it has none.
        const std::string csv = testing::slurp(dir + "r.csv");
        const bool repetitions = method == "monte-carlo" || method == "independent-monte-carlo";
        EXPECT_EQ(csv.substr(0, csv.find('\n')),
                  repetitions ? resultsCsvHeader : designPointCsvHeader);
        EXPECT_EQ(testing::countOf(csv, "\n"), repetitions ? 4 : 8) << csv;
        EXPECT_EQ(testing::countOf(csv, "\nUdlValue,"), repetitions ? 0 : 1) << csv;
        for (const char* name : {"r.txt", "r.json", "r.csv", "r.pdf", "s.json"})
            std::filesystem::remove(dir + name);
    }
}

}  // namespace
}  // namespace ferrolith::test
