// The headless driver as a user runs it: output bytes and exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/report_helpers.hpp"

namespace {

using ferrolith::testing::withoutTiming;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result runCli(const std::string& args) {
    const std::string errFile = std::filesystem::temp_directory_path() /
                                ("ferrolith-cli-err-" + std::to_string(::getpid()));
    const std::string command = std::string(FERROLITH_CLI_PATH) + " " + args + " 2>" + errFile;
    FILE* pipe = ::popen(command.c_str(), "r");
    Result r{};
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(errFile);
    std::stringstream s;
    s << e.rdbuf();
    r.err = s.str();
    std::filesystem::remove(errFile);
    return r;
}

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

TEST(Driver, ExitStatuses) {
    EXPECT_EQ(runCli("--repetitions abc").status, 2);
    EXPECT_EQ(runCli("--param '2=225;10'").status, 2);
    EXPECT_EQ(runCli("--dist 0=Weibull").status, 2);
    const Result aborted = runCli("--dist 0=Poisson --seed 3");
    EXPECT_EQ(aborted.status, 3);
    EXPECT_NE(aborted.err.find("Pellox: Poisson Parameter < 10\n"), std::string::npos);
    EXPECT_EQ(runCli("--help").status, 0);
    const Result unsaved =
        runCli("--repetitions 1 --samples 1 --output /nonexistent-ferrolith/x.txt");
    EXPECT_EQ(unsaved.status, 4);
    EXPECT_NE(unsaved.err.find("Error while saving file /nonexistent-ferrolith/x.txt "),
              std::string::npos);
}

TEST(Driver, OutputFileHoldsTheReportByteForByte) {
    const std::string path = std::filesystem::temp_directory_path() /
                             ("ferrolith-cli-out-" + std::to_string(::getpid()) + ".txt");
    const Result r = runCli("--seed 9 --repetitions 2 --samples 10 --output " + path);
    EXPECT_EQ(r.status, 0);
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    EXPECT_EQ(s.str(), r.out);
    std::filesystem::remove(path);
}

}  // namespace
