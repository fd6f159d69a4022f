// Shows the real window, runs Calculate with the defaults, answers No to the save question and
// writes a picture of the window to the PNG file named by the first argument, and one of the
// results window to the second.
#include <QApplication>

#include "screenshot_run.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!ferrolith::screenshot::givenFiles(argc, argv, 2, "WINDOW.png RESULTS.png")) return 2;
    ferrolith::frmMain window;
    ferrolith::ResultsWindow* results =
        ferrolith::screenshot::calculate(window, ferrolith::screenshot::Inputs::Defaults);
    if (!results) return 1;
    // The inputs table takes its height from its rows once its layout request is handled.
    QTest::qWait(200);
    return ferrolith::screenshot::save(window, argv[1]) &&
                   ferrolith::screenshot::save(*results, argv[2])
               ? 0
               : 1;
}
