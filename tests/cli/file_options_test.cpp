// --study, --save-study and --version, parsed and as the driver runs them.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/command_line.hpp"
#include "files/study_file.hpp"
#include "program_version.hpp"
#include "support/bad_study_texts.hpp"
#include "support/file_test_support.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"

namespace ferrolith::test {
namespace {

using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using testing::withoutTiming;

CommandLine parse(std::vector<std::string> args) {
    std::ostringstream out;
    return parseCommandLine(args, out);
}

// A study unlike the defaults in every field.
Study sampleStudy() {
    Study study;
    study.repetitions = "3";
    study.samples = "40";
    study.parameters = {"4.5,0.1", "80,5", "230,8", "22,2", "2.5,0.2", "12,2", "3,1"};
    study.distributions = {"Log-Normal", "", "Gumbel", "Gamma", "", "Poisson", "Others to follow"};
    study.seed = 77;
    study.target = {ReliabilityClass::RC3, ReferencePeriod::OneYear, TypedTarget{4.5, "brief"}};
    setRole(study, InputVariable::UdlValue, LoadRole::Permanent);
    study.project = {"Footbridge 7", "A. Engineer", "C. Checker"};
    return study;
}

struct StudyFixture : ::testing::Test {
    TempPath file{"study.json"};
    StudyFixture() { EXPECT_EQ(writeStudyFile(file.path, sampleStudy()), std::nullopt); }
};

using StudyOption = StudyFixture;

TEST_F(StudyOption, SetsEveryInputAndTheSeed) {
    const CommandLine c = parse({"--study", file.path});
    const Study study = sampleStudy();
    EXPECT_EQ(c.request.study.repetitions, study.repetitions);
    EXPECT_EQ(c.request.study.samples, study.samples);
    EXPECT_EQ(c.request.study.parameters, study.parameters);
    EXPECT_EQ(c.request.study.distributions, study.distributions);
    EXPECT_EQ(c.request.study.seed, 77u);
    EXPECT_EQ(c.request.study, study);
}

TEST_F(StudyOption, OptionsBesideItOverrideItWhereverTheyStand) {
    const CommandLine c = parse({"--repetitions", "9", "--study", file.path, "--samples", "8",
                                 "--param", "BeamDepth=1,2", "--dist", "6=Normal", "--seed", "5"});
    EXPECT_EQ(c.request.study.repetitions, "9");
    EXPECT_EQ(c.request.study.samples, "8");
    EXPECT_EQ(c.request.study.parameters[2], "1,2");
    EXPECT_EQ(c.request.study.parameters[3], "22,2");
    EXPECT_EQ(c.request.study.distributions[6], "Normal");
    EXPECT_EQ(c.request.study.distributions[5], "Poisson");
    EXPECT_EQ(c.request.study.seed, 5u);
}

TEST(FileOptions, RefusesMissingNamesAndBadFiles) {
    const testing::TempFolder dir;
    const std::string missing = (dir.missingFolder() / "s.json").string();
    for (std::vector<std::string> bad : {std::vector<std::string>{"--study", ""},
                                         {"--save-study", ""},
                                         {"--study"},
                                         {"--study", missing}})
        EXPECT_THROW(parse(bad), CommandLineError) << bad.back();
    try {
        parse({"--study", missing});
        ADD_FAILURE() << missing;
    } catch (const CommandLineError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "The study file " + missing + " cannot be opened: No such file or directory");
    }
}

TEST(FileOptions, VersionComesFromTheProject) {
    std::ostringstream out;
    EXPECT_TRUE(parseCommandLine({"--version"}, out).helpShown);
    EXPECT_EQ(out.str(), "ferrolith-cli " + std::string(programVersion) + "\n");
    EXPECT_NE(std::string(programVersion).find('.'), std::string::npos);
}

TEST(StudyDriver, ASavedStudyRunsToTheSameReportAsItsOptions) {
    TempPath study("saved.json");
    const std::string options =
        "--repetitions 4 --samples 300 --dist BeamDepth=Gumbel --param 2=225,0.2 --seed 12";
    const Result direct = runCli(options + " --save-study " + study.path);
    ASSERT_EQ(direct.status, 0) << direct.err;
    const Result fromStudy = runCli("--study " + study.path);
    EXPECT_EQ(fromStudy.status, 0);
    EXPECT_EQ(withoutTiming(fromStudy.out), withoutTiming(direct.out));
    EXPECT_NE(direct.out.find("Beam Depth: (225,0.2) Dist.: Gumbel"), std::string::npos);
    EXPECT_EQ(readStudyFile(study.path).seed, 12u);
}

TEST_F(StudyOption, TheTargetAndRolesComeFromTheStudyOrTheOptions) {
    const auto study = [&](std::vector<std::string> args) { return parse(args).request.study; };
    const TargetBasis fromFile = sampleStudy().target;
    const struct {
        std::vector<std::string> args;
        TargetBasis target;
    } cases[] = {
        {{"--study", file.path}, fromFile},
        {{}, TargetBasis()},
        {{"--study", file.path, "--target-index", "5.25"},
         {ReliabilityClass::RC3, ReferencePeriod::OneYear, TypedTarget{5.25, "command line"}}},
        // A class chooses the table again.
        {{"--study", file.path, "--reliability-class", "RC1"},
         {ReliabilityClass::RC1, ReferencePeriod::OneYear, std::nullopt}},
        {{"--reference-period", "1"},
         {ReliabilityClass::RC2, ReferencePeriod::OneYear, std::nullopt}},
        {{"--reliability-class", "RC3", "--reference-period", "50"},
         {ReliabilityClass::RC3, ReferencePeriod::FiftyYears, std::nullopt}},
    };
    for (const auto& c : cases) EXPECT_EQ(study(c.args).target, c.target) << c.args.size();
    EXPECT_EQ(study({}).target.index(), 3.8);

    EXPECT_EQ(roleOf(study({"--study", file.path}), InputVariable::UdlValue), LoadRole::Permanent);
    const Study roles = study(
        {"--study", file.path, "--load-role", "UdlValue=variable", "--load-role", "5=permanent"});
    EXPECT_EQ(roleOf(roles, InputVariable::UdlValue), LoadRole::Variable);
    EXPECT_EQ(roleOf(roles, InputVariable::PointLoadValue), LoadRole::Permanent);

    // Read as a study file's number is: an exponent is as good as none.
    for (const auto& [text, index] : std::vector<std::pair<std::string, double>>{
             {"0", 0.0}, {"8", 8.0}, {"1e0", 1.0}, {"3.8e0", 3.8}, {"80E-1", 8.0}, {"4.50", 4.5}})
        EXPECT_EQ(study({"--target-index", text}).target.index(), index) << text;
}

TEST(CommandLineTarget, RefusesBadTargetsPeriodsClassesAndRoles) {
    const auto refusal = [](const std::vector<std::string>& args) -> std::string {
        std::ostringstream out;
        try {
            parseCommandLine(args, out);
        } catch (const CommandLineError& e) {
            return e.what();
        }
        return "accepted";
    };
    std::vector<std::pair<std::vector<std::string>, std::string>> cases;
    for (const char* bad : {"", "abc", "-1", "-1e0", "8.01", "8.1e0", "1e1", "nan", "inf", "-inf",
                            "infinity", "0x1", "0x1p2", "+4", " 4", "4 ", "4,5", "4e", "1e0x"})
        cases.push_back(
            {{"--target-index", bad},
             "--target-index: \"" + std::string(bad) + "\" is not a number from 0 to 8"});
    for (const char* bad : {"", "RC4", "rc2", "RC 2", "2", "RC2 "})
        cases.push_back(
            {{"--reliability-class", bad},
             "--reliability-class: \"" + std::string(bad) + "\" is not RC1, RC2 or RC3"});
    for (const char* bad : {"", "0", "10", "50.0", "1y", "fifty", "-1", " 1"})
        cases.push_back(
            {{"--reference-period", bad},
             "--reference-period: \"" + std::string(bad) + "\" is not 1 or 50 (years)"});
    for (const char* bad : {"UdlValue", "UdlValue=", "UdlValue=live", "BeamLength=permanent",
                            "4=variable", "=permanent", "Udl=variable"})
        cases.push_back({{"--load-role", bad},
                         "--load-role takes LOAD=ROLE with LOAD PointLoadValue or UdlValue (or "
                         "5, 6) and ROLE variable or permanent: \"" +
                             std::string(bad) + "\""});
    for (const auto& [args, message] : cases) EXPECT_EQ(refusal(args), message) << args[1];
}

TEST_F(StudyOption, TheProjectDetailsComeFromTheStudyOrTheOptions) {
    EXPECT_EQ(parse({"--study", file.path}).request.study.project, sampleStudy().project);
    const ProjectDetails given{"Footbridge 7", "B. Other", ""};
    EXPECT_EQ(parse({"--engineer", "B. Other", "--study", file.path, "--checker", ""})
                  .request.study.project,
              given);
    const std::string longest(longestProjectText, 'x');
    EXPECT_EQ(parse({"--project", longest}).request.study.project.project, longest);
}

TEST(CommandLineProject, RefusesATextThatIsNotOneShortLine) {
    const auto refusal = [](const std::vector<std::string>& args) -> std::string {
        std::ostringstream out;
        try {
            parseCommandLine(args, out);
        } catch (const CommandLineError& e) {
            return e.what();
        }
        return "accepted";
    };
    const std::string tooLong(longestProjectText + 1, 'x');
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--engineer", "A. Engineer\nB. Other"},
         "--engineer: \"A. Engineer\\nB. Other\" holds a line break; it must be one line"},
        {{"--checker", "C. Checker\r"},
         "--checker: \"C. Checker\\r\" holds a line break; it must be one line"},
        {{"--project", "Bridge\t4"}, "--project: \"Bridge\\t4\" holds a control character"},
        {{"--project", "Bridge \xFF"}, "--project: \"Bridge \\xff\" is not UTF-8 text"},
        {{"--project", tooLong},
         "--project: \"" + std::string(60, 'x') +
             "\xE2\x80\xA6\" is 101 characters long; it may be at most 100"},
        // Characters, not bytes: a hundred accented letters are one line.
        {{"--checker",
          [] {
              std::string text;
              for (std::size_t i = 0; i < longestProjectText; ++i) text += "\xC3\xA9";
              return text;
          }()},
         "accepted"},
    };
    for (const auto& [args, message] : cases) EXPECT_EQ(refusal(args), message) << args[0];
}

TEST(StudyDriver, TheTargetIndexReachesTheStudyAndTheResultsFile) {
    for (const std::string method : {"monte-carlo", "form", "independent-monte-carlo"}) {
        TempPath study("target.json");
        TempPath results("target-results.json");
        EXPECT_EQ(runCli("--method " + method +
                         " --repetitions 1 --samples 1 --seed 3 --target-index 4.75 "
                         "--save-study " +
                         study.path + " --json " + results.path)
                      .status,
                  0)
            << method;
        const Study saved = readStudyFile(study.path);
        EXPECT_EQ(saved.target.typed, (TypedTarget{4.75, "command line"})) << method;
        EXPECT_EQ(saved.seed, 3u) << method;
        EXPECT_NE(slurp(results.path).find("\"targetIndex\": 4.75"), std::string::npos) << method;
        EXPECT_NE(
            slurp(results.path).find("\"basis\": \"50-year loads: beta 4.75 (command line)\""),
            std::string::npos)
            << method;
    }
}

TEST(StudyDriver, WithoutASeedTheStudyHasNone) {
    TempPath study("unseeded.json");
    EXPECT_EQ(runCli("--repetitions 1 --samples 1 --save-study " + study.path).status, 0);
    EXPECT_EQ(slurp(study.path).find("seed"), std::string::npos);
}

TEST(StudyDriver, ABadStudyIsOneLineAndNoRun) {
    TempPath study("bad.json");
    std::ofstream(study.path) << "{\n  \"schemaVersion\": 4\n}\n";
    const Result r = runCli("--study " + study.path);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "ferrolith-cli: The study file " + study.path +
                  " is not a study: schemaVersion: is 4; this program reads versions 1 to 3\n");
}

TEST(StudyDriver, StudiesThatOnceCrashedItAreOneLineAndNoRun) {
    TempPath study("once-crashing.json");
    for (const testing::BadStudy& bad : testing::onceCrashingStudies()) {
        testing::writeText(study.path, bad.text);
        const Result r = runCli("--study " + study.path);
        EXPECT_EQ(r.status, 2) << bad.what;
        EXPECT_EQ(r.out, "") << bad.what;
        EXPECT_EQ(r.err, "ferrolith-cli: The study file " + study.path + " " + bad.fault + "\n")
            << bad.what;
    }
}

TEST(StudyDriver, AStudyThatCannotBeWrittenStopsBeforeTheRun) {
    const testing::TempFolder dir;
    const std::string missing = (dir.missingFolder() / "s.json").string();
    for (const std::string method : {"monte-carlo", "form", "independent-monte-carlo"}) {
        const Result r = runCli("--method " + method + " --save-study " + missing);
        EXPECT_EQ(r.status, 4) << method;
        EXPECT_EQ(r.out, "") << method;
        EXPECT_EQ(r.err, "ferrolith-cli: Error while saving file " + missing +
                             " No such file or directory\n")
            << method;
    }
}

}  // namespace
}  // namespace ferrolith::test
