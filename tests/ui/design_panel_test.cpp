// The results window's Design tab: the search on a worker thread against designForTarget called
// directly, what it shows, a range that is no range, and a target of another index.
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include "analysis/design_for_target_text.hpp"
#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

class DesignPanelTest : public WindowTest {
  protected:
    DesignPanel& panel() { return window.results().window().design(); }
    template <class T>
    T* find(const char* name) {
        return panel().findChild<T*>(QString::fromUtf8(name));
    }
    // The rare case (Pf about 9.25e-8) in a run of 2 x 100.
    void runRareCase() {
        c.txtRepititions->setText("2");
        c.txtSampleSize->setText("100");
        c.txtParam[3]->setText("90,3");
        pressCalculate();
        messages.clear();
    }
    void pressRun(const QString& from = "", const QString& to = "") {
        find<QLineEdit>("designFrom")->setText(from);
        find<QLineEdit>("designTo")->setText(to);
        QSignalSpy ended(&panel(), &DesignPanel::designEnded);
        QTest::mouseClick(find<QPushButton>("runDesign"), Qt::LeftButton);
        if (panel().worker().running()) {
            ASSERT_TRUE(ended.wait(60000));
        }
    }
};

TEST_F(DesignPanelTest, FindsTheDepthAsTheSearchItselfDoesAndDrawsItsCurve) {
    EXPECT_FALSE(find<QPushButton>("runDesign")->isEnabled());
    EXPECT_EQ(find<QLabel>("designStatus")->text(),
              "Calculate first: the design works on the last run's inputs.");
    runRareCase();
    ASSERT_TRUE(find<QPushButton>("runDesign")->isEnabled());
    find<QComboBox>("designKeep")->setCurrentIndex(1);
    pressRun();
    const auto& shown = window.results().window().analysis().designForTarget();
    ASSERT_TRUE(shown);
    DesignRequest request;
    request.keep = KeptSpread::Variation;
    const DesignForTarget direct = designForTarget(window.lastRun()->study, request);
    EXPECT_EQ(shown->value, direct.value);
    EXPECT_EQ(shown->check->sampling.failureProbability, direct.check->sampling.failureProbability);
    QStringList lines;
    for (const std::string& line : designForTargetLines(direct))
        lines << QString::fromStdString(line);
    EXPECT_EQ(find<QLabel>("designLines")->text(), lines.join('\n'));
    EXPECT_EQ(panel().curve().pointCount(), designCurvePoints);
    EXPECT_TRUE(find<QLabel>("designStatus")->text().startsWith("Done in "));
    // Another target index answers another question: the design goes.
    TargetBasis higher;
    higher.typed = TypedTarget{4.2, "brief"};
    window.analysis().setTarget(higher);
    EXPECT_FALSE(window.results().window().analysis().designForTarget());
    EXPECT_EQ(find<QLabel>("designLines")->text(), "");
    EXPECT_EQ(panel().curve().pointCount(), 0);
}

TEST_F(DesignPanelTest, ARangeThatIsNoRangeIsSaidToBeSoAndRunsNothing) {
    runRareCase();
    for (const auto& [from, to] :
         {std::pair{"300", "100"}, {"100", ""}, {"a", "200"}, {"100", "100"}}) {
        messages.clear();
        pressRun(from, to);
        EXPECT_FALSE(panel().worker().running());
        ASSERT_EQ(messages.size(), 1u) << from << ' ' << to;
        EXPECT_EQ(messages.front().prompt.rfind("First number range: ", 0), 0u);
    }
    EXPECT_FALSE(window.results().window().analysis().designForTarget());
}

}  // namespace
}  // namespace ferrolith::test
