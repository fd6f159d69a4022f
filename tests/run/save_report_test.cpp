#include "run/save_report.hpp"
#include "run/safe_file_write.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fake_window.hpp"

namespace ferrolith {
namespace {

namespace fs = std::filesystem;
using testing::FakeWindow;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempFolder {
    fs::path path;
    TempFolder() {
        path = fs::temp_directory_path() /
               ("ferrolith-save-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempFolder() { fs::remove_all(path); }
    std::size_t entries() const {
        return std::distance(fs::directory_iterator(path), fs::directory_iterator());
    }
};

TEST(SaveReport, DialogIsSetUpAfreshEveryTime) {
    FakeWindow w;
    w.folder = "/some/folder";
    EXPECT_EQ(saveReport(w), SaveOutcome::Cancelled);
    ASSERT_EQ(w.dialogs.size(), 1u);
    const SaveDialogSettings& d = w.dialogs[0];
    EXPECT_EQ(d.title, "Save As");
    EXPECT_TRUE(d.confirmOverwrite);
    EXPECT_EQ(d.defaultExtension, "txt");
    EXPECT_EQ(d.initialFolder, "/some/folder");
    ASSERT_EQ(d.filters.size(), 2u);
    EXPECT_EQ(d.filters[0].name, "Text files");
    EXPECT_EQ(d.filters[0].pattern, "*.txt");
    EXPECT_EQ(d.filters[1].name, "All files");
    EXPECT_EQ(d.fileName, "VKM1");
    EXPECT_TRUE(w.boxes.empty());  // Cancel shows nothing
}

TEST(SaveReport, EmptyNameAsksAgainUntilANameComes) {
    TempFolder dir;
    FakeWindow w;
    w.report = "line 1\r\nline 2\r\nlast 0.494";
    const std::string target = (dir.path / "report.log").string();
    w.dialogAnswers = {{false, ""}, {false, ""}, {false, target}};
    EXPECT_EQ(saveReport(w), SaveOutcome::Saved);
    EXPECT_EQ(w.dialogs.size(), 3u);
    EXPECT_EQ(w.dialogs[2].fileName, "VKM1");
    ASSERT_EQ(w.boxes.size(), 2u);
    for (const auto& box : w.boxes) {
        EXPECT_EQ(box.prompt, "Please Name a File");
        EXPECT_EQ(box.title, "Corvantis");
        EXPECT_EQ(box.icon, MessageIcon::Information);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(slurp(target), w.report);  // exactly the text, no line end added
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(SaveReport, ReplacesAnExistingFile) {
    TempFolder dir;
    const fs::path target = dir.path / "VKM1.txt";
    std::ofstream(target) << "a much longer earlier report that must disappear entirely";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    FakeWindow w;
    w.report = "new";
    w.dialogAnswers = {{false, target.string()}};
    EXPECT_EQ(saveReport(w), SaveOutcome::Saved);
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(SaveReport, MissingFolderIsReportedOnce) {
    FakeWindow w;
    const std::string target = "/nonexistent-ferrolith-folder/out.txt";
    w.dialogAnswers = {{false, target}};
    EXPECT_EQ(saveReport(w), SaveOutcome::Failed);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt,
              "Error while saving file " + target + "\r\nNo such file or directory");
    EXPECT_EQ(w.boxes[0].title, "Pellox");
    EXPECT_EQ(w.boxes[0].icon, MessageIcon::None);
    EXPECT_EQ(w.dialogs.size(), 1u);  // nothing is retried
}

TEST(SaveReport, TargetThatIsAFolderFails) {
    TempFolder dir;
    fs::create_directory(dir.path / "taken");
    EXPECT_TRUE(writeFileSafely((dir.path / "taken").string(), "x").has_value());
    EXPECT_TRUE(fs::is_directory(dir.path / "taken"));
    EXPECT_EQ(dir.entries(), 1u);  // no temporary file left behind
}

TEST(SaveReport, FailedWriteKeepsTheExistingFileIntact) {
    TempFolder dir;
    const fs::path target = dir.path / "kept.txt";
    std::ofstream(target) << "the earlier report";
    // A file-size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const auto failure = writeFileSafely(target.string(), std::string(10000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(*failure, "File too large");
    EXPECT_EQ(slurp(target), "the earlier report");
    EXPECT_EQ(dir.entries(), 1u);
}

}  // namespace
}  // namespace ferrolith
