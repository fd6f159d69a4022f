// Shows the real window, runs Calculate on the rare case (Allowable Stress 90,3) with the save
// question answered No, runs Design for the target on Beam Depth with its standard deviation
// kept, and writes a picture of the results window's Design tab to the PNG file named by the
// first argument.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ui/main/frmMain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DESIGN.png\n", argv[0]);
        return 2;
    }
    ferrolith::frmMain window;
    window.Form_Load();
    window.dialogs().setMessageBoxHook([](auto...) { return ferrolith::MessageResult::No; });
    window.seeds().fixed = 1;  // the same figures in every picture
    window.controls().txtRepititions->setText("2");
    window.controls().txtSampleSize->setText("100");
    window.controls().txtParam[3]->setText("90,3");
    window.show();
    QSignalSpy calculated(&window, &ferrolith::frmMain::runFinished);
    QTest::mouseClick(window.controls().btmCalc, Qt::LeftButton);
    if (!calculated.wait(60000)) {
        std::fprintf(stderr, "the run did not end\n");
        return 1;
    }
    ferrolith::ResultsWindow& results = window.results().window();
    if (!QTest::qWaitForWindowExposed(&results)) {
        std::fprintf(stderr, "the results window was not shown\n");
        return 1;
    }
    results.findChild<QTabWidget*>(QStringLiteral("resultsTabs"))
        ->setCurrentWidget(&results.design());
    QSignalSpy ended(&results.design(), &ferrolith::DesignPanel::designEnded);
    QTest::mouseClick(results.design().findChild<QPushButton*>(QStringLiteral("runDesign")),
                      Qt::LeftButton);
    if (!ended.wait(60000)) {
        std::fprintf(stderr, "the design did not end\n");
        return 1;
    }
    QTest::qWait(200);
    if (!results.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
