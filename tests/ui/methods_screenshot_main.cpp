// Shows the real window, runs Calculate on the rare case (Beam Allowable Stress 90,3) with the
// save question answered No, runs every method of the Methods tab on it and writes a picture of
// the results window at its opening width on a 1024 x 768 screen, the tab scrolled to the
// comparison, to the PNG file named by the first argument.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <cstdio>

#include "ui/main/frmMain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s METHODS.png\n", argv[0]);
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
    QTest::mouseClick(window.controls().btmCalc, Qt::LeftButton);
    QApplication::processEvents();
    ferrolith::ResultsWindow& results = window.results().window();
    if (!QTest::qWaitForWindowExposed(&results)) {
        std::fprintf(stderr, "the results window was not shown\n");
        return 1;
    }
    results.resize(ferrolith::ResultsWindow::preferredSize.width(), 768);
    ferrolith::MethodsPanel& methods = results.methods();
    results.findChild<QTabWidget*>(QStringLiteral("resultsTabs"))->setCurrentWidget(&methods);
    auto* choice = methods.findChild<QComboBox*>(QStringLiteral("methodChoice"));
    for (int i = 0; i < choice->count(); ++i) {
        choice->setCurrentIndex(i);
        QSignalSpy ended(&methods, &ferrolith::MethodsPanel::methodEnded);
        QTest::mouseClick(methods.findChild<QPushButton*>(QStringLiteral("runMethod")),
                          Qt::LeftButton);
        if (ended.count() == 0 && !ended.wait(60000)) {
            std::fprintf(stderr, "%s did not end\n", qPrintable(choice->currentText()));
            return 1;
        }
    }
    QTest::qWait(200);
    QScrollBar* scroll =
        methods.findChild<QScrollArea*>(QStringLiteral("methodsScroll"))->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    QTest::qWait(100);
    if (!results.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
