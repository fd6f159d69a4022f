#pragma once

// The built headless driver run as a user runs it, for the driver's and the window's tests.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ferrolith::testing {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs the driver through the shell; shellSetup runs first in the same shell (a ulimit).
inline Result runCli(const std::string& args, const std::string& shellSetup = "") {
    const std::string errFile = std::filesystem::temp_directory_path() /
                                ("ferrolith-cli-err-" + std::to_string(::getpid()));
    const std::string command =
        shellSetup + std::string(FERROLITH_CLI_PATH) + " " + args + " 2>" + errFile;
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

// A path in the temporary folder unique to this process and name; removed on destruction.
struct TempPath {
    std::string path;
    explicit TempPath(const std::string& name)
        : path(std::filesystem::temp_directory_path() /
               ("ferrolith-" + std::to_string(::getpid()) + "-" + name)) {
        std::filesystem::remove(path);
    }
    ~TempPath() { std::filesystem::remove(path); }
};

}  // namespace ferrolith::testing
