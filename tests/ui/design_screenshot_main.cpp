// Shows the real window, runs Calculate on the rare case (Allowable Stress 90,3) with the save
// question answered No, runs Design for the target on Beam Depth with its standard deviation
// kept, and writes a picture of the results window's Design tab to the PNG file named by the
// first argument.
#include <QApplication>
#include <QTabWidget>

#include "screenshot_run.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!ferrolith::screenshot::givenFiles(argc, argv, 1, "DESIGN.png")) return 2;
    ferrolith::frmMain window;
    ferrolith::ResultsWindow* shown =
        ferrolith::screenshot::calculate(window, ferrolith::screenshot::Inputs::RareCase);
    if (!shown) return 1;
    ferrolith::ResultsWindow& results = *shown;
    results.findChild<QTabWidget*>(QStringLiteral("resultsTabs"))
        ->setCurrentWidget(&results.design());
    if (!ferrolith::screenshot::clickAndWait(results.design(), "runDesign",
                                             &ferrolith::DesignPanel::designEnded,
                                             QStringLiteral("the design")))
        return 1;
    QTest::qWait(200);
    return ferrolith::screenshot::save(results, argv[1]) ? 0 : 1;
}
