#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace ferrolith::test {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs the built driver through the shell with args; collects its output, errors and status.
inline Result runCli(const std::string& args) {
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

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The report without the lines that time the run.
inline std::string withoutTiming(const std::string& report) {
    return report.substr(0, report.find("Total time taken was"));
}

}  // namespace ferrolith::test
