#pragma once

// Folders, file contents and child processes for the tests of file output.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace ferrolith::testing {

namespace fs = std::filesystem;

// The user a root test process switches to for the checks that need an ordinary user.
constexpr uid_t ordinaryUser = 65534;
constexpr gid_t ordinaryGroup = 65534;

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// A new empty folder of its own, removed with everything in it when it goes. Open to every user,
// owned by the ordinary user when the test runs as root, so a child switched to that user can
// write in it.
struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "ferrolith-files-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw fs::filesystem_error("mkdtemp", pattern,
                                       std::error_code(errno, std::generic_category()));
        path = pattern;
        fs::permissions(path, fs::perms::all);
        if (::geteuid() == 0) static_cast<void>(::chown(path.c_str(), ordinaryUser, ordinaryGroup));
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(path, fs::perms::all, ignored);
        fs::remove_all(path, ignored);
    }
    // A folder inside this one that is not there, for saves that must fail.
    fs::path missingFolder() const { return path / "missing"; }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(path), fs::directory_iterator()));
    }
};

// How a child process ended and what it wrote to its pipe.
struct ChildResult {
    bool exited = false;
    int exitCode = -1;
    int signal = 0;
    std::string output;
};

enum class As { ThisUser, OrdinaryUser };

// Runs body in a forked child; what it returns goes back through a pipe. As::OrdinaryUser
// switches a root process to the ordinary user first, since root may write any file.
inline ChildResult inChild(const std::function<std::string()>& body, As as = As::ThisUser) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        if (as == As::OrdinaryUser && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(ordinaryGroup) != 0 ||
             ::setuid(ordinaryUser) != 0))
            ::_exit(99);
        const std::string text = body();
        const ssize_t written = ::write(pipeEnds[1], text.data(), text.size());
        ::_exit(written == static_cast<ssize_t>(text.size()) ? 0 : 98);
    }
    ::close(pipeEnds[1]);
    ChildResult result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exited = WIFEXITED(status);
    result.exitCode = result.exited ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

}  // namespace ferrolith::testing
