#include "ui/main/parameter_tips.hpp"

#include <QComboBox>
#include <QLineEdit>

#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using ParameterTips = WindowTest;

// A tip as the tooltip shows it, wrapped as rich text.
QString shown(const char* tip) { return "<p>" + QString::fromUtf8(tip).toHtmlEscaped() + "</p>"; }

TEST_F(ParameterTips, EachBoxAndListTellsWhatTheNumbersMeanForTheChosenDistribution) {
    const std::vector<std::pair<int, const char*>> choices{
        {-1, parameter_tip::noChoice},      {0, parameter_tip::normal},
        {1, parameter_tip::logNormal},      {2, parameter_tip::gamma},
        {3, parameter_tip::gumbel},         {4, parameter_tip::poisson},
        {5, parameter_tip::othersToFollow}, {-1, parameter_tip::noChoice},
    };
    for (std::size_t i = 0; i < inputVariableCount; ++i) {
        // At start-up nothing is chosen.
        EXPECT_EQ(c.cmbDist[i]->toolTip(), shown(parameter_tip::noChoice)) << i;
        for (const auto& [index, tip] : choices) {
            c.cmbDist[i]->setCurrentIndex(index);
            EXPECT_EQ(c.cmbDist[i]->toolTip(), shown(tip)) << i << " " << index;
            EXPECT_EQ(c.txtParam[i]->toolTip(), shown(tip)) << i << " " << index;
        }
    }
    c.cmbDist[2]->setCurrentIndex(1);
    EXPECT_TRUE(c.txtParam[2]->toolTip().contains("logarithm"));
    EXPECT_TRUE(c.txtParam[2]->toolTip().contains("&quot;225,10&quot;"));  // escaped quotes
    EXPECT_EQ(c.txtParam[3]->toolTip(), shown(parameter_tip::noChoice));   // the others keep theirs
}

TEST(ParameterTip, OnlyTheWholeNamesChooseABranchAsTheSamplerReadsThem) {
    EXPECT_STREQ(parameterTip("Log-Normal"), parameter_tip::logNormal);
    EXPECT_STREQ(parameterTip("log-normal"), parameter_tip::normal);
    EXPECT_STREQ(parameterTip("Gamma "), parameter_tip::normal);
    EXPECT_STREQ(parameterTip("Poisson"), parameter_tip::poisson);
    EXPECT_STREQ(parameterTip("Gumbel"), parameter_tip::gumbel);
    EXPECT_STREQ(parameterTip(""), parameter_tip::noChoice);
}

}  // namespace
}  // namespace ferrolith::test
