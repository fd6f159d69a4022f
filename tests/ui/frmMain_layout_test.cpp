#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "window_fixture.hpp"

namespace ferrolith::test {
namespace {

using frmMainLayout = WindowTest;

const char* const frameCaptions[] = {
    "Beam Length (m)",         "Beam Width (mm)",
    "Beam Depth (mm)",         "Beam Allowable Stress (N/mm2)",
    "Point Load Location (m)", "Point Load Value (kN)",
    "UDL Value (kN/m)",
};
const char* const defaultParams[] = {"4,0.05", "75,10",  "225,10", "20,3",
                                     "2,0.25", "10,1.5", "4,2.5"};

TEST_F(frmMainLayout, WindowHasItsCaptionAndAFixedClientArea) {
    EXPECT_EQ(window.windowTitle(), "Ferrolith by Dalvenor");
    EXPECT_EQ(window.size(), QSize(748, 577));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    // The window manager offers no maximise button for it, but still minimise and close.
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
}

TEST_F(frmMainLayout, EachInputFrameHoldsItsFourControlsWithDefaults) {
    const QStringList names{"Normal", "Log-Normal", "Gamma",
                            "Gumbel", "Poisson",    "Others to follow"};
    for (int i = 0; i < inputVariableCount; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(c.Frame1[i]->parentWidget(), &window);
        EXPECT_EQ(c.Frame1[i]->geometry(), QRect(16, 72 * (i + 1), 345, 57));
        EXPECT_EQ(c.Frame1[i]->title(), frameCaptions[i]);
        EXPECT_EQ(c.Frame1[i]->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 4);

        EXPECT_EQ(c.lblParam[i]->parentWidget(), c.Frame1[i]);
        EXPECT_EQ(c.lblParam[i]->geometry(), QRect(16, 24, 73, 17));
        EXPECT_EQ(c.lblParam[i]->text(), "Parameters");
        EXPECT_EQ(c.txtParam[i]->parentWidget(), c.Frame1[i]);
        EXPECT_EQ(c.txtParam[i]->geometry(), QRect(96, 24, 65, 19));
        EXPECT_EQ(c.txtParam[i]->text(), defaultParams[i]);
        EXPECT_EQ(c.lblDist[i]->geometry(), QRect(184, 24, 65, 17));
        EXPECT_EQ(c.lblDist[i]->text(), "Distribution");
        EXPECT_EQ(c.cmbDist[i]->geometry(), QRect(248, 24, 81, 21));

        EXPECT_FALSE(c.cmbDist[i]->isEditable());
        QStringList items;
        for (int k = 0; k < c.cmbDist[i]->count(); ++k) items << c.cmbDist[i]->itemText(k);
        EXPECT_EQ(items, names);
        EXPECT_EQ(c.cmbDist[i]->currentIndex(), -1);
        EXPECT_EQ(window.view().study(std::nullopt).distributions[i], "");
    }
}

TEST_F(frmMainLayout, RunControlsSitInTheRightColumnWithDefaults) {
    EXPECT_EQ(c.Label2->geometry(), QRect(384, 88, 81, 17));
    EXPECT_EQ(c.Label2->text(), "No. Repititions");
    EXPECT_EQ(c.txtRepititions->geometry(), QRect(480, 88, 49, 19));
    EXPECT_EQ(c.txtRepititions->text(), "25");
    EXPECT_EQ(c.Label1->geometry(), QRect(600, 88, 65, 17));
    EXPECT_EQ(c.Label1->text(), "Sample Size");
    EXPECT_EQ(c.txtSampleSize->geometry(), QRect(680, 88, 49, 19));
    EXPECT_EQ(c.txtSampleSize->text(), "1000");
    EXPECT_EQ(c.btmCalc->geometry(), QRect(384, 120, 97, 33));
    EXPECT_EQ(c.btmCalc->text(), "Calculate");
    EXPECT_EQ(c.pb->geometry(), QRect(496, 136, 185, 17));
    EXPECT_EQ(c.pb->orientation(), Qt::Horizontal);
    EXPECT_EQ(std::tuple(c.pb->minimum(), c.pb->maximum(), c.pb->value()), std::tuple(0, 100, 0));
    EXPECT_EQ(c.lblBar->geometry(), QRect(688, 136, 41, 17));
    EXPECT_EQ(c.lblBar->text(), "0/100");

    EXPECT_EQ(c.txtReport->geometry(), QRect(384, 168, 345, 393));
    EXPECT_FALSE(c.txtReport->isReadOnly());
    EXPECT_EQ(c.txtReport->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(report(),
              "Ferrolith By Dalvenor\r\nhttps://ferrolith.example.org\r\n"
              "Using the Mote Carlo Simulation Method\r\n");
}

bool captionFits(const QLabel* label) {
    return QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width();
}

TEST_F(frmMainLayout, EveryCaptionFitsItsLabel) {
    std::vector<const QLabel*> labels{c.Label1, c.Label2, c.lblBar};
    labels.insert(labels.end(), c.lblParam.begin(), c.lblParam.end());
    labels.insert(labels.end(), c.lblDist.begin(), c.lblDist.end());
    for (const QLabel* label : labels)
        EXPECT_TRUE(captionFits(label)) << label->objectName().toStdString();

    MainWindowView& view = window.view();
    view.runStarted(runAt(0, 1000));
    view.runEnded(runAt(1000, 1000));
    ASSERT_EQ(c.lblBar->text(), "0/1000");
    view.repetitionFinished(runAt(1000, 1000));
    view.runEnded(runAt(1000, 1000));
    ASSERT_EQ(c.lblBar->text(), "1000/1000");
    EXPECT_TRUE(captionFits(c.lblBar));
    view.runStarted(runAt(0, 1));
    view.runEnded(runAt(0, 1));
    ASSERT_EQ(c.lblBar->text(), "0/1");
    EXPECT_EQ(c.lblBar->font().stretch(), QFont::Unstretched);
}

TEST(frmMainBeforeLoad, ListsStayEmptyUntilFormLoad) {
    frmMain window;
    for (QComboBox* list : window.controls().cmbDist) EXPECT_EQ(list->count(), 0);
}

TEST_F(frmMainLayout, TabVisitsTheControlsInTheirOrderAndWrapsAround) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_EQ(QApplication::focusWidget(), c.txtParam[0]);
    const std::vector<QWidget*> expected{
        c.txtParam[0], c.cmbDist[0],    c.cmbDist[1],     c.txtParam[1], c.cmbDist[2],
        c.txtParam[2], c.cmbDist[3],    c.txtParam[3],    c.cmbDist[4],  c.txtParam[4],
        c.txtParam[5], c.cmbDist[5],    c.txtParam[6],    c.cmbDist[6],  c.txtReport,
        c.btmCalc,     c.txtSampleSize, c.txtRepititions, c.txtParam[0],
    };
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    for (std::size_t k = 1; k < expected.size(); ++k) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), c.txtRepititions);
}

TEST_F(frmMainLayout, BeamSketchIsDrawnAcrossTheTopStrip) {
    const QImage image = window.grab().toImage();
    const QRgb background = image.pixel(376, 12);
    EXPECT_EQ(qGray(image.pixel(376, 32)), 0);  // the beam, 5 pixels thick
    EXPECT_EQ(qGray(image.pixel(376, 30)), 0);
    EXPECT_EQ(image.pixel(376, 38), background);                // nothing below the beam mid-span
    EXPECT_LT(qGray(image.pixel(102, 57)), qGray(background));  // left support's base
    EXPECT_LT(qGray(image.pixel(664, 57)), qGray(background));  // right support's base
    EXPECT_LT(qGray(image.pixel(102, 24)), qGray(background));  // top of the left hinge
}

}  // namespace
}  // namespace ferrolith::test
