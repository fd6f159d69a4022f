#include "files/safe_file_write.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "files/save_signals.hpp"

namespace ferrolith {

namespace {

SafeWriteTestHooks testHooks;

constexpr std::size_t chunkBytes = std::size_t{1} << 16;
constexpr int linkHopLimit = 40;       // as the kernel's own limit on links followed
constexpr int appearanceAttempts = 5;  // saves over a file that another program keeps creating

std::string describe(int error) { return std::strerror(error); }

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now, so a failure of the close itself (a delayed write error) is seen: 0 or errno.
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

// While it lives, a write past the file-size limit fails with EFBIG instead of SIGXFSZ ending
// the program.
class SizeLimitAsFailure {
  public:
    SizeLimitAsFailure() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &old_);
    }
    ~SizeLimitAsFailure() { ::sigaction(SIGXFSZ, &old_, nullptr); }

  private:
    struct sigaction old_ {};
};

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

// The file a path leads to once every symbolic link is followed, and its status when it exists.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

int resolve(const std::string& path, Target& target) {
    target.path = path;
    for (int hop = 0;; ++hop) {
        if (::lstat(target.path.c_str(), &target.status) != 0) {
            if (errno != ENOENT) return errno;
            target.exists = false;
            return 0;
        }
        if (!S_ISLNK(target.status.st_mode)) {
            target.exists = true;
            return 0;
        }
        if (hop == linkHopLimit) return ELOOP;
        std::vector<char> link(static_cast<std::size_t>(PATH_MAX) + 1);
        const ssize_t n = ::readlink(target.path.c_str(), link.data(), link.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) == link.size()) return ENAMETOOLONG;
        std::string next(link.data(), static_cast<std::size_t>(n));
        target.path = next.front() == '/' ? next : folderOf(target.path) + "/" + next;
    }
}

// Writes all bytes from the descriptor's current offset: 0 or errno.
int writeAll(int fd, std::string_view bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t chunk = std::min(chunkBytes, bytes.size() - done);
        const ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        done += static_cast<std::size_t>(n);
        if (testHooks.betweenChunks) testHooks.betweenChunks();
    }
    return 0;
}

std::optional<std::string> failure(int error) {
    if (error == 0) return std::nullopt;
    return describe(error);
}

// A device, a FIFO or another file that is not a regular one: written as it stands. 0 or errno.
int writeDirectly(const std::string& path, std::string_view bytes) {
    FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) return errno;
    if (const int error = writeAll(fd.get(), bytes)) return error;
    return fd.close();
}

// Overwrites the open file from its start and cuts it to the new length: 0 or errno. A signal
// waits until the file is whole, old or new.
int writeInPlace(FileDescriptor& fd, std::string_view bytes) {
    SaveSignalsHeld held;
    // Reserving the space first turns a full disk or a size limit into a failure that has not
    // touched the file yet; file systems that cannot reserve go on without.
    if (!bytes.empty() && ::fallocate(fd.get(), 0, 0, static_cast<off_t>(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS)
        return errno;
    if (const int error = writeAll(fd.get(), bytes)) return error;
    if (::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.get()) != 0)
        return errno;
    return fd.close();
}

// The mode a newly created file gets: what the process's umask allows of rw-rw-rw-.
mode_t newFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A temporary file's name in folder beside name, within the folder's limit on name length:
// the target's name, cut where needed, then ".saving-" and six characters of suffix.
std::string temporaryStem(const std::string& folder, const std::string& name) {
    const std::string marker = ".saving-";
    constexpr std::size_t suffixLength = 6;
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t room = limit > 0 ? static_cast<std::size_t>(limit) : NAME_MAX;
    const std::size_t keep = room - marker.size() - suffixLength;
    return folder + "/" + name.substr(0, keep) + marker;
}

std::string randomSuffix() {
    static std::mt19937_64 engine{std::random_device{}()};
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) suffix += letters[engine() % (sizeof letters - 1)];
    return suffix;
}

// The new content in a file of its own in the target's folder, complete and on the disk, to be
// put in the target's place. Without a name while the system allows it.
class TemporaryFile {
  public:
    TemporaryFile(const Target& target, const std::string& folder)
        : target_(target), folder_(folder), fd_(-1) {}

    // 0 or errno.
    int create() {
        if (!testHooks.namedTemporary) {
            fd_.reset(::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
            if (fd_.get() >= 0) return 0;
            // File systems and kernels without O_TMPFILE say so in one of these ways.
            if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
        }
        SaveSignalsHeld held;
        std::string name = temporaryStem(folder_, nameOf(target_.path)) + "XXXXXX";
        fd_.reset(::mkostemp(name.data(), O_CLOEXEC));
        if (fd_.get() < 0) return errno;
        name_.set(name);
        return 0;
    }

    // Writes the bytes, gives the file the target's mode (and group where allowed) and flushes
    // it to the disk: 0 or errno.
    int fill(std::string_view bytes) {
        if (const int error = writeAll(fd_.get(), bytes)) return error;
        const mode_t mode = target_.exists ? (target_.status.st_mode & 07777) : newFileMode();
        if (::fchmod(fd_.get(), mode) != 0) return errno;
        // The group can differ (a folder's set-group-ID); keep it where the user may.
        if (target_.exists && target_.status.st_gid != ::getegid())
            static_cast<void>(::fchown(fd_.get(), static_cast<uid_t>(-1), target_.status.st_gid));
        if (::fsync(fd_.get()) != 0) return errno;
        return 0;
    }

    // Puts the file in the target's place: 0 or errno. EEXIST when the target was absent and
    // another program created it meanwhile: its file is not replaced unseen.
    int publish() {
        SaveSignalsHeld held;
        if (!name_.named()) {
            if (!target_.exists) return linkFile(target_.path) ? 0 : errno;
            if (const int error = linkUnderTemporaryName()) return error;
        }
        if (const int error = fd_.close()) return error;
        if (const int error = moveOverTarget()) return error;
        name_.renamed();
        return 0;
    }

  private:
    bool linkFile(const std::string& name) const {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }

    // A name for the nameless file for the moment between linking it in and renaming it over
    // the target: 0 or errno.
    int linkUnderTemporaryName() {
        const std::string stem = temporaryStem(folder_, nameOf(target_.path));
        for (int attempt = 0;; ++attempt) {
            std::string name = stem + randomSuffix();
            if (linkFile(name)) {
                name_.set(name);
                return 0;
            }
            if (errno != EEXIST || attempt == 100) return errno;
        }
    }

    // 0 or errno, EEXIST for an absent target that appeared, where the file system can tell;
    // elsewhere it is replaced.
    int moveOverTarget() const {
        const char* from = name_.path().c_str();
        const char* to = target_.path.c_str();
        if (!target_.exists) {
            if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
            if (errno != EINVAL && errno != ENOSYS) return errno;
        }
        return ::rename(from, to) == 0 ? 0 : errno;
    }

    const Target& target_;
    std::string folder_;
    FileDescriptor fd_;
    PendingTemporary name_;  // removed unless renamed over the target
};

// Saves over the target as it was found: 0 or errno.
int saveTo(const Target& target, std::string_view bytes) {
    if (target.exists && !S_ISREG(target.status.st_mode)) return writeDirectly(target.path, bytes);

    // Opening the file for writing asks the system whether this user may write it.
    std::optional<FileDescriptor> existing;
    if (target.exists) {
        existing.emplace(::open(target.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
        if (existing->get() < 0) return errno;
        // A new file in its place would part it from its other links or change its owner.
        if (target.status.st_nlink > 1 || target.status.st_uid != ::geteuid())
            return writeInPlace(*existing, bytes);
    }

    TemporaryFile temporary(target, folderOf(target.path));
    if (const int error = temporary.create()) {
        // A file the user may write in a folder the user may not: written in place.
        if (existing && (error == EACCES || error == EPERM)) return writeInPlace(*existing, bytes);
        return error;
    }
    if (const int error = temporary.fill(bytes)) return error;
    return temporary.publish();
}

}  // namespace

void setSafeWriteTestHooks(SafeWriteTestHooks hooks) { testHooks = std::move(hooks); }

std::optional<std::string> writeFileSafely(const std::string& path, std::string_view bytes) {
    SizeLimitAsFailure sizeLimit;
    SaveSignalsTaken signals;
    for (int attempt = 1;; ++attempt) {
        Target target;
        int error = resolve(path, target);
        if (error == 0) error = saveTo(target, bytes);
        // Another program created the file meanwhile: saved again, now over an existing file,
        // so the save that ends last is the one that stays.
        if (error != EEXIST || target.exists || attempt == appearanceAttempts)
            return failure(error);
    }
}

}  // namespace ferrolith
