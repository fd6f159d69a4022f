#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "files/study_json.hpp"
#include "support/file_test_support.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using testing::slurp;
using testing::TempPath;

// The export dialog's filters, in the order it offers them.
enum Filter : std::size_t { Json, Csv };

class ResultsExportTest : public WindowTest {
  protected:
    // Presses "Export Results..." with the dialog answered by path (empty: Cancel) and filter.
    void exportTo(const std::string& path, Filter filter) {
        savePath = path;
        saveFilter = filter;
        pressExport();
    }

    void pressExport() {
        auto* button =
            window.results().window().findChild<QPushButton*>(QStringLiteral("exportResults"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "Export Results...");
        button->click();
    }

    TempPath file{"window-results"};
};

TEST_F(ResultsExportTest, WritesTheLastRunAsJsonOrCsvByTheFilterChosen) {
    c.txtRepititions->setText("3");
    c.txtSampleSize->setText("200");
    pressCalculate();
    exportTo(file.path, Json);
    const auto json = nlohmann::ordered_json::parse(slurp(file.path));
    EXPECT_EQ(json["outcome"], "completed");
    EXPECT_EQ(json["report"], report());
    ASSERT_TRUE(window.lastRun());
    EXPECT_EQ(studyFromJson(json["study"]), window.lastRun()->study);
    EXPECT_TRUE(window.lastRun()->study.seed);
    EXPECT_EQ(json["repetitions"].size(), 3u);

    exportTo(file.path, Csv);
    const std::string csv = slurp(file.path);
    EXPECT_EQ(csv.rfind("index,seed,effectMean,", 0), 0u);
    EXPECT_EQ(countOf(csv, "\n"), 4);
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[1].title, "Export Results");
    EXPECT_EQ(dialogs[1].fileName, "results");
    EXPECT_EQ(dialogs[1].defaultExtension, "json");
    EXPECT_EQ(messages.size(), 1u);  // the save question of the run only

    // Cancel writes nothing.
    std::filesystem::remove(file.path);
    exportTo("", Json);
    EXPECT_EQ(dialogs.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(file.path));
}

TEST_F(ResultsExportTest, NothingToExportBeforeARunOrAfterOneThatFailed) {
    pressExport();
    c.txtParam[0]->setText("no comma");
    pressCalculate();
    pressExport();
    EXPECT_TRUE(dialogs.empty());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].prompt,
              "There are no results to export: the last run neither completed nor was aborted.");
    EXPECT_EQ(messages[2].prompt, messages[0].prompt);
}

TEST_F(ResultsExportTest, AnAbortedRunIsExportedAndAFailedWriteSaysSo) {
    c.cmbDist[0]->setCurrentIndex(4);  // Poisson with a mean of 4: faulty data
    pressCalculate();
    const testing::TempFolder scratch;
    const std::string missing = (scratch.missingFolder() / "r.json").string();
    exportTo(missing, Json);
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().prompt,
              "Error while saving file " + missing + "\r\nNo such file or directory");
    exportTo(file.path, Json);
    EXPECT_EQ(nlohmann::ordered_json::parse(slurp(file.path))["outcome"], "aborted");
}

TEST_F(ResultsExportTest, TheJsonKeepsTheRunsReportWhileTheReportSaveWritesTheEditedBox) {
    c.txtRepititions->setText("2");
    c.txtSampleSize->setText("100");
    TempPath saved{"window-report.txt"};
    savePath = saved.path;
    // The user types into the report box before answering Yes to the save question.
    window.dialogs().setMessageBoxHook([&](auto...) {
        c.txtReport->moveCursor(QTextCursor::End);
        QTest::keyClicks(c.txtReport, "edited");
        return MessageResult::Yes;
    });
    pressCalculate();
    ASSERT_TRUE(window.lastRun());
    const std::string own = window.lastRun()->report;
    EXPECT_EQ(countOf(own, "Iteration: "), 2);
    EXPECT_EQ(countOf(own, "edited"), 0);
    EXPECT_EQ(slurp(saved.path), own + "edited");
    EXPECT_EQ(report(), own + "edited");
    EXPECT_EQ(window.lastRun()->save, SaveOutcome::Saved);

    // Typed after the run too: the export still writes the run's own report.
    QTest::keyClicks(c.txtReport, " again");
    exportTo(file.path, Json);
    EXPECT_EQ(nlohmann::ordered_json::parse(slurp(file.path))["report"], own);
}

}  // namespace
}  // namespace ferrolith::test
