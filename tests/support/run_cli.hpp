#pragma once

// The built headless driver run as a user runs it, for the driver's and the window's tests.
#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/temp_path.hpp"

namespace ferrolith::testing {

struct Result {
    int status;  // the exit status, -1 for a driver ended by a signal
    std::string out;
    std::string err;
};

// Where a run's standard error goes, read back and removed once it has ended.
struct ErrorFile {
    std::string path = std::filesystem::temp_directory_path() /
                       ("ferrolith-cli-err-" + std::to_string(::getpid()));
    std::string redirection() const { return " 2>" + path; }
    std::string taken() const {
        std::ifstream e(path);
        std::stringstream s;
        s << e.rdbuf();
        std::filesystem::remove(path);
        return s.str();
    }
};

inline int exitStatusOf(int waitStatus) {
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1;
}

// Runs the driver through the shell; shellSetup runs first in the same shell (a ulimit).
inline Result runCli(const std::string& args, const std::string& shellSetup = "") {
    const ErrorFile errors;
    const std::string command =
        shellSetup + std::string(FERROLITH_CLI_PATH) + " " + args + errors.redirection();
    FILE* pipe = ::popen(command.c_str(), "r");
    Result r{};
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.out.append(buffer, n);
    r.status = exitStatusOf(::pclose(pipe));
    r.err = errors.taken();
    return r;
}

// Runs the driver with standard output a pipe whose reading end is already closed, as when the
// `head` it was piped into has exited, and with SIGPIPE at its default action as a shell has it.
// A driver that dies of the signal ends with the status a shell gives it, 128 + SIGPIPE.
inline Result runCliIntoClosedPipe(const std::string& args) {
    const ErrorFile errors;
    const std::string command = std::string(FERROLITH_CLI_PATH) + " " + args + errors.redirection();
    int ends[2];
    if (::pipe(ends) != 0) return {-1, {}, "pipe failed"};
    ::close(ends[0]);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ends[1], STDOUT_FILENO);
        ::signal(SIGPIPE, SIG_DFL);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ends[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    const int shellStatus = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : exitStatusOf(status);
    return {shellStatus, {}, errors.taken()};
}

// Runs the driver with standard error on a pseudo-terminal, as in a terminal window, and
// standard output to /dev/null; err is what the terminal received.
inline Result runCliOnTerminal(const std::string& args) {
    int terminal = -1, errorSide = -1;
    if (::openpty(&terminal, &errorSide, nullptr, nullptr, nullptr) != 0)
        return {-1, {}, "openpty failed"};
    const std::string command = std::string(FERROLITH_CLI_PATH) + " " + args + " >/dev/null";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(terminal);
        ::dup2(errorSide, STDERR_FILENO);
        ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(errorSide);
    Result r{};
    char buffer[4096];
    // Ends with EIO once the driver, the last holder of the terminal's other side, has exited.
    for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;)
        r.err.append(buffer, static_cast<std::size_t>(n));
    ::close(terminal);
    int status = 0;
    ::waitpid(pid, &status, 0);
    r.status = exitStatusOf(status);
    return r;
}

// Runs the driver with standard error into a pipe (standard output to /dev/null).
inline Result runCliErrorsIntoPipe(const std::string& args) {
    const std::string command = std::string(FERROLITH_CLI_PATH) + " " + args + " 2>&1 >/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    Result r{};
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        r.err.append(buffer, n);
    r.status = exitStatusOf(::pclose(pipe));
    return r;
}

}  // namespace ferrolith::testing
