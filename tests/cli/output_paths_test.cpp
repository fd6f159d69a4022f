// Outputs that would overwrite each other, or the study being read, are refused before the run.
#include "cli/output_paths.hpp"

#include <gtest/gtest.h>

#include <sstream>

#include "files/study_file.hpp"
#include "support/file_test_support.hpp"
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

}  // namespace
}  // namespace ferrolith::test
