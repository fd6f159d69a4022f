#include "run/save_report.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace ferrolith {

namespace {

std::string describe(int error) { return std::strerror(error); }

// The mode a newly created file gets: what the process's umask allows of rw-rw-rw-.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

std::optional<std::string> writeFileReplacing(const std::string& path, const std::string& text) {
    std::vector<char> temp(path.begin(), path.end());
    const std::string suffix = ".saving-XXXXXX";
    temp.insert(temp.end(), suffix.begin(), suffix.end());
    temp.push_back('\0');

    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return describe(errno);
    struct stat existing {};
    const mode_t mode =
        ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : newFileMode();
    auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temp.data());
        return std::optional<std::string>(describe(error));
    };
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fchmod(fd, mode) != 0 || ::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.data());
        return describe(error);
    }
    if (::rename(temp.data(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.data());
        return describe(error);
    }
    return std::nullopt;
}

SaveOutcome saveReport(WindowOperations& window) {
    for (;;) {
        // Set up afresh at every showing, proposing the same name again.
        const SaveDialogSettings settings{
            "Save As",
            true,
            "txt",
            window.saveFolder(),
            {{"Text files", "*.txt"}, {"All files", "*"}},
            "VKM1",
        };
        const SaveDialogResult chosen = window.showSaveDialog(settings);
        if (chosen.cancelled) return SaveOutcome::Cancelled;
        if (chosen.fileName.empty()) {
            window.messageBox("Please Name a File", fileNameMessageTitle, MessageIcon::Information,
                              MessageButtons::Ok);
            continue;
        }
        // The report as the box holds it now, with its CR LF line ends and nothing added.
        const auto failure = writeFileReplacing(chosen.fileName, window.reportText());
        if (!failure) return SaveOutcome::Saved;
        window.messageBox("Error while saving file " + chosen.fileName + "\r\n" + *failure,
                          std::nullopt, MessageIcon::None, MessageButtons::Ok);
        return SaveOutcome::Failed;
    }
}

}  // namespace ferrolith
