// Shows the real window, runs Calculate on the rare case (Beam Allowable Stress 90,3) with the
// save question answered No, runs every method of the Methods tab on it and writes a picture of
// the results window at its opening width on a 1024 x 768 screen, the tab scrolled to the
// comparison, to the PNG file named by the first argument.
#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>

#include "screenshot_run.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (!ferrolith::screenshot::givenFiles(argc, argv, 1, "METHODS.png")) return 2;
    ferrolith::frmMain window;
    ferrolith::ResultsWindow* shown =
        ferrolith::screenshot::calculate(window, ferrolith::screenshot::Inputs::RareCase);
    if (!shown) return 1;
    ferrolith::ResultsWindow& results = *shown;
    results.resize(ferrolith::ResultsWindow::preferredSize.width(), 768);
    ferrolith::MethodsPanel& methods = results.methods();
    results.findChild<QTabWidget*>(QStringLiteral("resultsTabs"))->setCurrentWidget(&methods);
    auto* choice = methods.findChild<QComboBox*>(QStringLiteral("methodChoice"));
    for (int i = 0; i < choice->count(); ++i) {
        choice->setCurrentIndex(i);
        if (!ferrolith::screenshot::clickAndWait(
                methods, "runMethod", &ferrolith::MethodsPanel::methodEnded, choice->currentText()))
            return 1;
    }
    QTest::qWait(200);
    QScrollBar* scroll =
        methods.findChild<QScrollArea*>(QStringLiteral("methodsScroll"))->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    QTest::qWait(100);
    return ferrolith::screenshot::save(results, argv[1]) ? 0 : 1;
}
