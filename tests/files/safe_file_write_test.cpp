#include "files/safe_file_write.hpp"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <thread>
#include <vector>

#include "support/file_test_support.hpp"

namespace ferrolith {
namespace {

using namespace testing;

// Each test leaves the hooks as it found them: none.
struct HooksReset {
    ~HooksReset() { setSafeWriteTestHooks({}); }
};

std::string described(const std::optional<std::string>& failure) {
    return failure ? *failure : "saved";
}

TEST(SafeFileWrite, DevicesAreWrittenNotReplaced) {
    struct Case {
        const char* device;
        const char* outcome;
    };
    for (const Case c : {Case{"/dev/null", "saved"}, {"/dev/full", "No space left on device"}}) {
        EXPECT_EQ(described(writeFileSafely(c.device, "report")), c.outcome) << c.device;
        EXPECT_TRUE(fs::is_character_file(c.device)) << c.device;
    }
}

TEST(SafeFileWrite, FifoIsWrittenNotReplaced) {
    TempFolder dir;
    const fs::path fifo = dir.path / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A reader that is already there, so opening the FIFO for writing does not wait; the text
    // fits in the pipe's buffer.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(described(writeFileSafely(fifo.string(), "through the pipe")), "saved");
    char received[64] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 16);
    ::close(reader);
    EXPECT_STREQ(received, "through the pipe");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(SafeFileWrite, FolderTargetFailsAndStays) {
    TempFolder dir;
    fs::create_directory(dir.path / "taken");
    EXPECT_EQ(described(writeFileSafely((dir.path / "taken").string(), "x")), "Is a directory");
    EXPECT_TRUE(fs::is_directory(dir.path / "taken"));
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(SafeFileWrite, WriteProtectedFilesStayByteForByte) {
    for (const fs::perms mode :
         {fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
          fs::perms::none}) {
        TempFolder dir;
        const fs::path target = dir.path / "protected.txt";
        writeText(target, "earlier");
        fs::permissions(target, mode);
        if (::geteuid() == 0) {
            ASSERT_EQ(::chown(target.c_str(), ordinaryUser, ordinaryGroup), 0);
        }
        const ChildResult r = inChild(
            [&] { return described(writeFileSafely(target.string(), "new")); }, As::OrdinaryUser);
        EXPECT_EQ(r.output, "Permission denied");
        EXPECT_EQ(fs::status(target).permissions(), mode);
        fs::permissions(target, fs::perms::owner_read);
        EXPECT_EQ(slurp(target), "earlier");
        EXPECT_EQ(dir.entries(), 1u);
    }
}

TEST(SafeFileWrite, AnotherUsersFileIsNotTakenOver) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to create a file of another user";
    TempFolder dir;
    const fs::path target = dir.path / "roots.txt";
    writeText(target, "root's");  // owned by root, mode 644 under the usual umask
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::others_read);
    const ChildResult r = inChild(
        [&] { return described(writeFileSafely(target.string(), "mine")); }, As::OrdinaryUser);
    EXPECT_EQ(r.output, "Permission denied");
    struct stat s {};
    ASSERT_EQ(::stat(target.c_str(), &s), 0);
    EXPECT_EQ(s.st_uid, 0u);
    EXPECT_EQ(slurp(target), "root's");
}

TEST(SafeFileWrite, AnotherOwnerIsKeptByWritingInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to write a file of another user";
    TempFolder dir;
    const fs::path target = dir.path / "theirs.txt";
    writeText(target, "a longer earlier text");
    ASSERT_EQ(::chown(target.c_str(), ordinaryUser, ordinaryGroup), 0);
    EXPECT_EQ(described(writeFileSafely(target.string(), "short")), "saved");
    struct stat s {};
    ASSERT_EQ(::stat(target.c_str(), &s), 0);
    EXPECT_EQ(s.st_uid, ordinaryUser);
    EXPECT_EQ(s.st_gid, ordinaryGroup);
    EXPECT_EQ(slurp(target), "short");
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(SafeFileWrite, WritableFileInAFolderThatIsNotIsWrittenInPlace) {
    TempFolder dir;
    const fs::path target = dir.path / "open.txt";
    writeText(target, "earlier");
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), ordinaryUser, ordinaryGroup), 0);
    }
    fs::permissions(dir.path, fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    const ChildResult r = inChild(
        [&] { return described(writeFileSafely(target.string(), "new")); }, As::OrdinaryUser);
    EXPECT_EQ(r.output, "saved");
    EXPECT_EQ(slurp(target), "new");
}

TEST(SafeFileWrite, SymbolicLinksAreFollowedAndStay) {
    TempFolder dir;
    fs::create_directory(dir.path / "sub");
    const fs::path file = dir.path / "sub" / "real.txt";
    writeText(file, "earlier");
    const fs::path inner = dir.path / "sub" / "inner";
    const fs::path outer = dir.path / "outer";
    fs::create_symlink("real.txt", inner);  // relative to the link's own folder
    fs::create_symlink(fs::path("sub") / "inner", outer);
    EXPECT_EQ(described(writeFileSafely(outer.string(), "through two links")), "saved");
    EXPECT_TRUE(fs::is_symlink(outer));
    EXPECT_TRUE(fs::is_symlink(inner));
    EXPECT_EQ(slurp(file), "through two links");
    EXPECT_EQ(dir.entries(), 2u);
}

TEST(SafeFileWrite, DanglingLinkCreatesItsTarget) {
    TempFolder dir;
    const fs::path link = dir.path / "link";
    fs::create_symlink("named.txt", link);
    EXPECT_EQ(described(writeFileSafely(link.string(), "new")), "saved");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(dir.path / "named.txt"), "new");
}

TEST(SafeFileWrite, LinkLoopFails) {
    TempFolder dir;
    fs::create_symlink("b", dir.path / "a");
    fs::create_symlink("a", dir.path / "b");
    EXPECT_EQ(described(writeFileSafely((dir.path / "a").string(), "x")),
              "Too many levels of symbolic links");
    EXPECT_EQ(dir.entries(), 2u);
}

TEST(SafeFileWrite, HardLinksStayLinked) {
    TempFolder dir;
    const fs::path first = dir.path / "first.txt";
    const fs::path second = dir.path / "second.txt";
    writeText(first, "a longer earlier text");
    fs::create_hard_link(first, second);
    EXPECT_EQ(described(writeFileSafely(second.string(), "new")), "saved");
    EXPECT_EQ(fs::hard_link_count(first), 2u);
    EXPECT_EQ(slurp(first), "new");
    EXPECT_EQ(dir.entries(), 2u);
}

// Threads that run on while a save is under way, as the engine's and the window's do, none of
// them holding any signal back: a signal sent to the process may be taken by any of them.
class BusyThreads {
  public:
    BusyThreads() {
        for (int i = 0; i < 3; ++i)
            threads_.emplace_back([this] {
                while (!stop_) std::this_thread::yield();
            });
    }
    ~BusyThreads() {
        stop_ = true;
        for (std::thread& t : threads_) t.join();
    }

  private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> threads_;
};

// What the handler of a test's own saw when it ran: the size of the file being saved.
char observedPath[256];
volatile sig_atomic_t sizeWhenHandled = -1;
extern "C" void noteSize(int) {
    struct stat s {};
    sizeWhenHandled = ::stat(observedPath, &s) == 0 ? static_cast<sig_atomic_t>(s.st_size) : -2;
}

TEST(SafeFileWrite, SignalWaitsUntilAnInPlaceSaveIsWhole) {
    enum class Disposition { Default, Handled, Ignored };
    const std::string earlier(3 * 65536 + 1000, 'o');
    const std::string replacement(5 * 32768, 'n');  // three chunks, the last one short
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        for (const Disposition d :
             {Disposition::Default, Disposition::Handled, Disposition::Ignored}) {
            TempFolder dir;
            const fs::path target = dir.path / "linked.txt";
            writeText(target, earlier);
            fs::create_hard_link(target, dir.path / "other.txt");  // so it is written in place
            const ChildResult r = inChild([&] {
                const rlimit noCore{0, 0};
                ::setrlimit(RLIMIT_CORE, &noCore);
                std::snprintf(observedPath, sizeof observedPath, "%s", target.c_str());
                if (d != Disposition::Default)
                    ::signal(signal, d == Disposition::Handled ? noteSize : SIG_IGN);
                BusyThreads busy;
                int chunks = 0;
                setSafeWriteTestHooks({[&] {
                    if (++chunks != 2) return;
                    ::kill(::getpid(), signal);
                    // The save goes on once some thread has taken the signal, so a signal held
                    // back in this thread only ends the program here, mid-save.
                    sigset_t pending;
                    while (::sigpending(&pending) == 0 && sigismember(&pending, signal))
                        std::this_thread::yield();
                }});
                const std::string outcome =
                    described(writeFileSafely(target.string(), replacement));
                return outcome + ", size when handled " + std::to_string(sizeWhenHandled);
            });
            const std::string context = "signal " + std::to_string(signal) + ", disposition " +
                                        std::to_string(static_cast<int>(d));
            EXPECT_TRUE(slurp(target) == replacement) << context;
            EXPECT_EQ(slurp(dir.path / "other.txt").size(), replacement.size()) << context;
            if (d == Disposition::Default) {
                EXPECT_EQ(r.signal, signal) << context;
            } else {
                const std::string handled =
                    d == Disposition::Handled ? std::to_string(replacement.size()) : "-1";
                EXPECT_EQ(r.output, "saved, size when handled " + handled) << context;
            }
        }
    }
}

TEST(SafeFileWrite, ReplacementKeepsThePermissions) {
    TempFolder dir;
    const fs::path target = dir.path / "VKM1.txt";
    writeText(target, "a much longer earlier report that must disappear entirely");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    EXPECT_EQ(described(writeFileSafely(target.string(), "new")), "saved");
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(fs::status(target).permissions(), mode);
    EXPECT_EQ(dir.entries(), 1u);
}

// Both ways of making the temporary file: without a name, and the named one of file systems
// without O_TMPFILE.
class TemporaryFileKinds : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override { setSafeWriteTestHooks({{}, GetParam()}); }
    HooksReset reset;
};

INSTANTIATE_TEST_SUITE_P(SafeFileWrite, TemporaryFileKinds, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Named" : "Nameless"; });

TEST_P(TemporaryFileKinds, SizeLimitFailsTheSaveAndKeepsTheFile) {
    // A hard-linked file is written in place, the others through a temporary file.
    for (const bool linked : {false, true}) {
        TempFolder dir;
        const fs::path target = dir.path / "kept.txt";
        writeText(target, "the earlier report");
        if (linked) fs::create_hard_link(target, dir.path / "other.txt");
        // SIGXFSZ keeps its default action, which would end the child.
        const ChildResult r = inChild([&] {
            const rlimit tiny{64, 64};
            ::setrlimit(RLIMIT_FSIZE, &tiny);
            return described(writeFileSafely(target.string(), std::string(10000, 'x')));
        });
        EXPECT_TRUE(r.exited) << "signal " << r.signal;
        EXPECT_EQ(r.output, "File too large");
        EXPECT_EQ(slurp(target), "the earlier report");
        EXPECT_EQ(dir.entries(), linked ? 2u : 1u);
    }
}

TEST_P(TemporaryFileKinds, InterruptedSaveLeavesNothingBehind) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        TempFolder dir;
        const fs::path target = dir.path / "kept.txt";
        writeText(target, "the earlier report");
        const ChildResult r = inChild([&] {
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore);
            setSafeWriteTestHooks({[signal] { ::raise(signal); }, GetParam()});
            return described(writeFileSafely(target.string(), std::string(1 << 20, 'x')));
        });
        EXPECT_EQ(r.signal, signal);
        EXPECT_EQ(slurp(target), "the earlier report");
        EXPECT_EQ(dir.entries(), 1u) << "signal " << signal;
    }
}

// Another program creates the file while this save is under way: the save that ends last
// replaces it, keeping its mode, and writes it in place when it has other links.
TEST_P(TemporaryFileKinds, FileCreatedDuringTheSaveIsReplacedAsAnExistingOne) {
    for (const bool linked : {false, true}) {
        TempFolder dir;
        const fs::path target = dir.path / "raced.txt";
        const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
        bool created = false;
        setSafeWriteTestHooks({[&] {
                                   if (created) return;
                                   created = true;
                                   writeText(target, "another save's longer text");
                                   fs::permissions(target, mode);
                                   if (linked) fs::create_hard_link(target, dir.path / "other.txt");
                               },
                               GetParam()});
        EXPECT_EQ(described(writeFileSafely(target.string(), "new")), "saved") << linked;
        EXPECT_EQ(slurp(target), "new");
        EXPECT_EQ(fs::status(target).permissions(), mode);
        if (linked) {
            EXPECT_EQ(slurp(dir.path / "other.txt"), "new");
        }
        EXPECT_EQ(dir.entries(), linked ? 2u : 1u);
    }
}

TEST_P(TemporaryFileKinds, NamesUpToTheLimitSave) {
    for (const std::size_t length : {1u, 241u, 242u, 250u, 255u}) {
        TempFolder dir;
        const fs::path target = dir.path / std::string(length, 'n');
        EXPECT_EQ(described(writeFileSafely(target.string(), "first")), "saved") << length;
        EXPECT_EQ(described(writeFileSafely(target.string(), "second")), "saved") << length;
        EXPECT_EQ(slurp(target), "second");
        EXPECT_EQ(dir.entries(), 1u);
    }
    TempFolder dir;
    EXPECT_EQ(described(writeFileSafely((dir.path / std::string(256, 'n')).string(), "x")),
              "File name too long");
}

TEST_P(TemporaryFileKinds, NewFileGetsTheModeTheUmaskAllows) {
    TempFolder dir;
    const fs::path target = dir.path / "new.txt";
    const mode_t old = ::umask(027);
    const auto failure = writeFileSafely(target.string(), "new");
    ::umask(old);
    EXPECT_EQ(described(failure), "saved");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(slurp(target), "new");
}

}  // namespace
}  // namespace ferrolith
