// Shows the real window, runs Calculate with the defaults, answers No to the save question and
// writes a picture of the window to the PNG file named by the first argument, and one of the
// results window to the second.
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "ui/main/frmMain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s WINDOW.png RESULTS.png\n", argv[0]);
        return 2;
    }
    ferrolith::frmMain window;
    window.Form_Load();
    window.dialogs().setMessageBoxHook([](auto...) { return ferrolith::MessageResult::No; });
    window.seeds().fixed = 1;  // the same figures in every picture
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    QSignalSpy calculated(&window, &ferrolith::frmMain::runFinished);
    QTest::mouseClick(window.controls().btmCalc, Qt::LeftButton);
    if (!calculated.wait(60000)) {
        std::fprintf(stderr, "the run did not end\n");
        return 1;
    }
    QWidget& results = window.results().window();
    if (!QTest::qWaitForWindowExposed(&results)) {
        std::fprintf(stderr, "the results window was not shown\n");
        return 1;
    }
    // The inputs table takes its height from its rows once its layout request is handled.
    QTest::qWait(200);
    for (int i = 1; i <= 2; ++i) {
        QWidget& shown = i == 1 ? static_cast<QWidget&>(window) : results;
        if (!shown.grab().save(QString::fromLocal8Bit(argv[i]), "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
