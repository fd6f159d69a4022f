#include "session/save_report.hpp"

#include <gtest/gtest.h>

#include "support/file_test_support.hpp"
#include "support/recording_observer.hpp"

namespace ferrolith {
namespace {

using namespace testing;

TEST(SaveReport, DialogIsSetUpAfreshEveryTime) {
    RecordingObserver w;
    w.folder = "/some/folder";
    EXPECT_EQ(saveReport(w, "report"), SaveOutcome::Cancelled);
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
    RecordingObserver w;
    const std::string text = "line 1\r\nline 2\r\nlast 0.494";
    const std::string target = (dir.path / "report.log").string();
    w.dialogAnswers = {{false, ""}, {false, ""}, {false, target}};
    EXPECT_EQ(saveReport(w, text), SaveOutcome::Saved);
    EXPECT_EQ(w.dialogs.size(), 3u);
    EXPECT_EQ(w.dialogs[2].fileName, "VKM1");
    ASSERT_EQ(w.boxes.size(), 2u);
    for (const auto& box : w.boxes) {
        EXPECT_EQ(box.prompt, "Please Name a File");
        EXPECT_EQ(box.title, "Corvantis");
        EXPECT_EQ(box.icon, MessageIcon::Information);
        EXPECT_EQ(box.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(slurp(target), text);  // exactly the text, no line end added
    EXPECT_EQ(dir.entries(), 1u);
}

TEST(SaveReport, MissingFolderIsReportedOnce) {
    RecordingObserver w;
    const TempFolder dir;
    const std::string target = (dir.missingFolder() / "out.txt").string();
    w.dialogAnswers = {{false, target}};
    EXPECT_EQ(saveReport(w, "report"), SaveOutcome::Failed);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt,
              "Error while saving file " + target + "\r\nNo such file or directory");
    EXPECT_EQ(w.boxes[0].title, "Pellox");
    EXPECT_EQ(w.boxes[0].icon, MessageIcon::None);
    EXPECT_EQ(w.dialogs.size(), 1u);  // nothing is retried
}

TEST(SaveReport, WriteProtectedFileIsReportedAndKept) {
    TempFolder dir;
    const fs::path target = dir.path / "protected.txt";
    writeText(target, "earlier");
    fs::permissions(target, fs::perms::owner_read);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(target.c_str(), ordinaryUser, ordinaryGroup), 0);
    }
    const ChildResult r = inChild(
        [&] {
            RecordingObserver w;
            w.dialogAnswers = {{false, target.string()}};
            const SaveOutcome outcome = saveReport(w, "new");
            return std::string(outcome == SaveOutcome::Failed ? "failed: " : "other: ") +
                   (w.boxes.empty() ? "" : w.boxes[0].prompt);
        },
        As::OrdinaryUser);
    EXPECT_EQ(r.output,
              "failed: Error while saving file " + target.string() + "\r\nPermission denied");
    fs::permissions(target, fs::perms::owner_read);
    EXPECT_EQ(slurp(target), "earlier");
}

TEST(SaveReport, ControlCharactersOfTheNameAreEscapedInTheMessage) {
    RecordingObserver w;
    const TempFolder dir;
    const std::string folder = dir.missingFolder().string();
    w.dialogAnswers = {{false, folder + "/a\nb\x1b[2J\r\n.txt"}};
    EXPECT_EQ(saveReport(w, "report"), SaveOutcome::Failed);
    ASSERT_EQ(w.boxes.size(), 1u);
    EXPECT_EQ(w.boxes[0].prompt, "Error while saving file " + folder +
                                     "/a\\nb\\x1b[2J\\r\\n.txt\r\nNo such file or directory");
}

}  // namespace
}  // namespace ferrolith
