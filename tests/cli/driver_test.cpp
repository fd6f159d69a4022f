// The headless driver as a user runs it: output bytes and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "analysis/input_range.hpp"
#include "support/file_test_support.hpp"
#include "support/range_studies.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"

namespace {

using ferrolith::testing::Result;
using ferrolith::testing::runCli;
using ferrolith::testing::runCliIntoClosedPipe;
using ferrolith::testing::slurp;
using ferrolith::testing::TempPath;
using ferrolith::testing::withoutTiming;

TEST(Driver, SeededRunsRepeatAndPrintTheReportAsIs) {
    const Result a = runCli("--seed 1 --repetitions 3 --samples 200");
    const Result b = runCli("--seed 1 --repetitions 3 --samples 200");
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(withoutTiming(a.out), withoutTiming(b.out));
    EXPECT_EQ(a.out.find("Input Data: \r\n"), 0u);
    EXPECT_NE(a.out.find("Total number of simulations was 600\r\n"), std::string::npos);
    EXPECT_NE(a.out.back(), '\n');
    EXPECT_EQ(a.err, "VKM: Simulation Complete Save File?\n");
}

// More threads than the machine has cores included: standard error holds the driver's own
// messages alone, no note of the threading library.
TEST(Driver, EachInputOutOfRangeIsOneLineOnStandardErrorAndTheReportStaysTheRunsOwn) {
    const std::string args = ferrolith::test::gammaLengthArgs;
    const std::string line =
        "ferrolith-cli: " +
        ferrolith::inputRangeWarnings(ferrolith::test::gammaLengthStudy()).front().text + "\n";
    for (const std::string method : {"", " --method form"}) {
        const Result run = runCli(args + method);
        EXPECT_EQ(run.status, 0) << method;
        EXPECT_EQ(run.err.rfind(line, 0), 0u) << method << run.err;
        EXPECT_EQ(run.out.find("0.1% to 99.9%"), std::string::npos) << method;
    }
    EXPECT_EQ(runCli("--seed 1 --repetitions 2 --samples 100").err.find("0.1% to 99.9%"),
              std::string::npos);
}

TEST(Driver, NoLibraryWarningAtAnyThreadCount) {
    const struct {
        std::string options;
        std::string err;
    } runs[] = {{"--repetitions 4 --samples 500", "VKM: Simulation Complete Save File?\n"},
                {"--method importance-sampling --is-samples 20000", ""},
                {"--method independent-monte-carlo --repetitions 3 --samples 1000", ""}};
    for (const auto& run : runs) {
        for (const char* threads : {"3", "8"}) {
            const Result r =
                runCli("--seed 1 --quiet --threads " + std::string(threads) + " " + run.options);
            EXPECT_EQ(r.status, 0) << run.options << " " << threads;
            EXPECT_EQ(r.err, run.err) << run.options << " " << threads;
        }
    }
}

TEST(Driver, ExitStatuses) {
    EXPECT_EQ(runCli("--repetitions abc").status, 2);
    EXPECT_EQ(runCli("--param '2=225;10'").status, 2);
    EXPECT_EQ(runCli("--dist 0=Weibull").status, 2);
    const Result aborted = runCli("--dist 0=Poisson --seed 3");
    EXPECT_EQ(aborted.status, 3);
    EXPECT_NE(aborted.err.find("Pellox: Poisson Parameter < 10\n"), std::string::npos);
    EXPECT_EQ(runCli("--help").status, 0);
    const ferrolith::testing::TempFolder dir;
    const std::string missing = (dir.missingFolder() / "x.txt").string();
    const Result unsaved = runCli("--repetitions 1 --samples 1 --output " + missing);
    EXPECT_EQ(unsaved.status, 4);
    EXPECT_NE(unsaved.err.find("Error while saving file " + missing + " "), std::string::npos);
}

TEST(Driver, OutputFileHoldsTheReportByteForByte) {
    const std::string path = std::filesystem::temp_directory_path() /
                             ("ferrolith-cli-out-" + std::to_string(::getpid()) + ".txt");
    const Result r = runCli("--seed 9 --repetitions 2 --samples 10 --output " + path);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(slurp(path), r.out);
    std::filesystem::remove(path);
}

TEST(Driver, SeedIsAWholeNumberWithinSixtyFourBits) {
    EXPECT_EQ(runCli("--seed 18446744073709551615 --repetitions 1 --samples 1").status, 0);
    for (const char* bad : {"18446744073709551616", "99999999999999999999999", "-1", "abc", "+5",
                            "1.5", "1e3", "' 7'", "0x10", "''"}) {
        const Result r = runCli(std::string("--seed ") + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_EQ(r.err.substr(0, 23), "ferrolith-cli: --seed: ") << bad;
        EXPECT_NE(r.err.find("\" is not a whole number from 0 to 18446744073709551615\n"),
                  std::string::npos)
            << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
}

TEST(Driver, ReportThatDoesNotReachStandardOutputFails) {
    for (const char* redirection : {">/dev/full", ">&-"}) {
        const Result r =
            runCli(std::string("--seed 1 --repetitions 2 --samples 10 ") + redirection);
        EXPECT_EQ(r.status, 5) << redirection;
        EXPECT_NE(r.err.find("ferrolith-cli: cannot write to standard output: "), std::string::npos)
            << r.err;
    }
    EXPECT_EQ(runCli("--help >/dev/full").status, 5);
}

TEST(Driver, ClosedStandardOutputNeverSendsTheReportIntoTheSavedFile) {
    const std::string path = std::filesystem::temp_directory_path() /
                             ("ferrolith-cli-closed-" + std::to_string(::getpid()) + ".txt");
    const Result r = runCli("--seed 1 --repetitions 2 --samples 10 --output " + path + " >&-");
    EXPECT_EQ(r.status, 5);
    const std::string saved = slurp(path);
    EXPECT_EQ(saved.find("Input Data: "), 0u);
    EXPECT_EQ(saved.find("Input Data: ", 1), std::string::npos);  // once, by the save only
    std::filesystem::remove(path);
}

TEST(Driver, BrokenPipeStillWritesTheResultsFilesThenFails) {
    TempPath json("broken-pipe.json"), csv("broken-pipe.csv");
    std::ofstream(json.path) << "an earlier run's";
    std::ofstream(csv.path) << "an earlier run's";
    // 25 iteration blocks: a report larger than the output buffer, written before the files.
    const Result r =
        runCliIntoClosedPipe("--seed 1 --samples 5 --json " + json.path + " --csv " + csv.path);
    EXPECT_EQ(r.status, 5);
    EXPECT_EQ(r.err,
              "VKM: Simulation Complete Save File?\n"
              "ferrolith-cli: cannot write to standard output: Broken pipe\n");
    EXPECT_EQ(slurp(json.path).find("{\n"), 0u);
    const std::string csvOfBrokenRun = slurp(csv.path);
    EXPECT_EQ(runCli("--seed 1 --samples 5 --csv " + csv.path).status, 0);
    EXPECT_EQ(csvOfBrokenRun, slurp(csv.path));
}

// A working folder removed under the driver: a path from the root still saves, one relative to
// the folder is a save failure.
TEST(Driver, DeletedWorkingFolder) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("ferrolith-cli-gone-" + std::to_string(::getpid()));
    TempPath absolute("gone-folder.txt");
    const std::string intoRemovedFolder = "mkdir " + folder.string() + " && cd " + folder.string() +
                                          " && rmdir ../" + folder.filename().string() + " && ";
    const Result saved =
        runCli("--seed 1 --repetitions 1 --samples 5 --output " + absolute.path, intoRemovedFolder);
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(slurp(absolute.path), saved.out);
    for (const char* option : {"--output", "--json", "--save-study"}) {
        const Result r = runCli(
            std::string("--seed 1 --repetitions 1 --samples 5 ") + option + " x.txt >/dev/null",
            intoRemovedFolder);
        EXPECT_EQ(r.status, 4) << option;
        // The reason is the file system's (ENOENT, or EPERM from some for a nameless file).
        const auto line = r.err.find(": Error while saving file x.txt ");
        ASSERT_NE(line, std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n', line), r.err.size() - 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST(Driver, MessagesShowControlCharactersEscapedOnOneLine) {
    const Result r = runCli("--param \"$(printf '0=4\\n\\033[2J,x')\"");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Pellox: Beam Length (m): the parameters \"4\\n\\x1b[2J,x\" are not two numbers "
              "separated by a comma.\n");
    const Result option = runCli("\"$(printf -- '--a\\tb')\"");
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(std::count(option.err.begin(), option.err.end(), '\n'), 1) << option.err;
    EXPECT_EQ(option.err.find('\t'), std::string::npos) << option.err;
}

TEST(Driver, ReportEchoesParameterTextsExactly) {
    const Result r =
        runCli("--seed 1 --repetitions 1 --samples 5 --param \"$(printf '0=4,0.05\\t')\"");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Beam Length: (4,0.05\t) Dist.: Normal\r\n"), std::string::npos);
}

TEST(Driver, NegativeLimitThatRoundsToZeroKeepsItsSign) {
    const Result r = runCli("--seed 9 --repetitions 2 --samples 1500 --param AllowableStress=3,1");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("95% Confidence Limits are -0.000 to 0.002\r\n"), std::string::npos);
    EXPECT_NE(r.out.find("95% certain that probability of failure is: 100.013%\r\n"),
              std::string::npos);
}

TEST(Driver, CountMessageSaysWhatIsAccepted) {
    const Result r = runCli("--repetitions 0.4");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err,
              "Pellox: No. Repititions: \"0.4\" is not a number that rounds to a whole number from "
              "1 to 32767.\n");
}

TEST(Driver, OutputToDevicesWritesThemDirectly) {
    const Result null = runCli("--seed 1 --repetitions 1 --samples 5 --output /dev/null");
    EXPECT_EQ(null.status, 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    const Result full = runCli("--seed 1 --repetitions 1 --samples 5 --output /dev/full");
    EXPECT_EQ(full.status, 4);
    EXPECT_NE(full.err.find("Error while saving file /dev/full No space left on device\n"),
              std::string::npos)
        << full.err;
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST(Driver, FileSizeLimitEndsAsASaveFailure) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("ferrolith-cli-limit-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path target = folder / "kept.txt";
    std::ofstream(target) << "the earlier report";
    // 25 iteration blocks make a report of several kilobytes, past a limit of one block.
    const Result r =
        runCli("--seed 1 --samples 5 --output " + target.string() + " >/dev/null", "ulimit -f 1; ");
    EXPECT_EQ(r.status, 4);
    EXPECT_NE(r.err.find("Error while saving file " + target.string() + " File too large\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(slurp(target), "the earlier report");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::remove_all(folder);
}

TEST(Driver, LongFileNamesSave) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("ferrolith-cli-long-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    for (const std::size_t length : {242u, 255u}) {
        const std::filesystem::path target = folder / std::string(length, 'r');
        for (int round = 0; round < 2; ++round) {  // new, then replaced
            const Result r =
                runCli("--seed 1 --repetitions 1 --samples 5 --output " + target.string());
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(slurp(target), r.out);
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
