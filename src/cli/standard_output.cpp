#include "cli/standard_output.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

namespace ferrolith {

namespace {

// Opens /dev/null on a closed descriptor: true when the descriptor was closed.
bool fillIfClosed(int fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return false;
    // The lowest free number is fd, as every lower one is open or was filled first.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
    return true;
}

}  // namespace

StandardOutput::StandardOutput() {
    fillIfClosed(STDIN_FILENO);
    wasClosed_ = fillIfClosed(STDOUT_FILENO);
    fillIfClosed(STDERR_FILENO);
    // A reader that has gone (`| head`) makes a write fail with EPIPE, reported like any other
    // failure once the run's files are written, instead of ending the driver on the spot.
    std::signal(SIGPIPE, SIG_IGN);
}

void StandardOutput::write(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() && firstError_ == 0)
        firstError_ = errno != 0 ? errno : EIO;
}

std::optional<std::string> StandardOutput::close() {
    if (wasClosed_) return std::strerror(EBADF);
    // What went through std::cout (the help) shares stdout's buffer and error flag.
    errno = 0;
    if (std::fflush(stdout) != 0 && firstError_ == 0) firstError_ = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && firstError_ == 0) firstError_ = EIO;
    errno = 0;
    if (std::fclose(stdout) != 0 && firstError_ == 0) firstError_ = errno != 0 ? errno : EIO;
    if (firstError_ != 0) return std::strerror(firstError_);
    return std::nullopt;
}

}  // namespace ferrolith
