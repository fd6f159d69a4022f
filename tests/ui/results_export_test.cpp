#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <nlohmann/json.hpp>

#include "study/study_json.hpp"
#include "support/file_test_support.hpp"
#include "support/report_helpers.hpp"
#include "support/run_cli.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using testing::Result;
using testing::runCli;
using testing::slurp;
using testing::TempPath;
using testing::withoutTiming;

class ResultsExportTest : public WindowTest {
  protected:
    ResultsExportTest() {
        window.resultsExport().setDialogHook([this] {
            ++dialogsShown;
            return choice;
        });
    }

    void pressExport() {
        auto* button =
            window.results().window().findChild<QPushButton*>(QStringLiteral("exportResults"));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), "Export Results...");
        button->click();
    }

    std::optional<ResultsExport::Choice> choice;
    int dialogsShown = 0;
    TempPath file{"window-results"};
};

TEST_F(ResultsExportTest, WritesTheLastRunAsJsonOrCsvByTheFilterChosen) {
    c.txtRepititions->setText("3");
    c.txtSampleSize->setText("200");
    QTest::mouseClick(c.btmCalc, Qt::LeftButton);
    choice = ResultsExport::Choice{file.path, ResultsExport::Format::Json};
    pressExport();
    const auto json = nlohmann::ordered_json::parse(slurp(file.path));
    EXPECT_EQ(json["outcome"], "completed");
    EXPECT_EQ(json["report"], report());
    EXPECT_EQ(studyFromJson(json["study"]), window.simulationRun().lastStudy());
    EXPECT_EQ(json["repetitions"].size(), 3u);

    choice = ResultsExport::Choice{file.path, ResultsExport::Format::Csv};
    pressExport();
    const std::string csv = slurp(file.path);
    EXPECT_EQ(csv.rfind("index,seed,effectMean,", 0), 0u);
    EXPECT_EQ(countOf(csv, "\n"), 4);
    EXPECT_EQ(dialogsShown, 2);
    EXPECT_EQ(messages.size(), 1u);  // the save question of the run only
}

TEST_F(ResultsExportTest, NothingToExportBeforeARunOrAfterOneThatFailed) {
    pressExport();
    c.txtParam[0]->setText("no comma");
    QTest::mouseClick(c.btmCalc, Qt::LeftButton);
    pressExport();
    EXPECT_EQ(dialogsShown, 0);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].prompt,
              "There are no results to export: the last run neither completed nor was aborted.");
    EXPECT_EQ(messages[2].prompt, messages[0].prompt);
}

TEST_F(ResultsExportTest, AnAbortedRunIsExportedAndAFailedWriteSaysSo) {
    c.cmbDist[0]->setCurrentIndex(4);  // Poisson with a mean of 4: faulty data
    QTest::mouseClick(c.btmCalc, Qt::LeftButton);
    choice = ResultsExport::Choice{"/nonexistent-ferrolith/r.json", ResultsExport::Format::Json};
    pressExport();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.back().prompt,
              "Error while saving file /nonexistent-ferrolith/r.json\r\nNo such file or directory");
    choice = ResultsExport::Choice{file.path, ResultsExport::Format::Json};
    pressExport();
    EXPECT_EQ(nlohmann::ordered_json::parse(slurp(file.path))["outcome"], "aborted");
}

}  // namespace
}  // namespace ferrolith::test
