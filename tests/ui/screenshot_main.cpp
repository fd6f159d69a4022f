// Shows the real window, runs Calculate with the defaults, answers No to the save question and
// writes a picture of the window to the PNG file named by the one argument.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <cstdio>

#include "ui/frmMain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    ferrolith::frmMain window;
    window.Form_Load();
    window.operations().setMessageBoxHook([](auto...) { return ferrolith::MessageResult::No; });
    window.simulationRun().setSystemRandomSeed(1);  // the same figures in every picture
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    QTest::mouseClick(window.controls().btmCalc, Qt::LeftButton);
    QApplication::processEvents();
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
