#pragma once

// What the screenshot programs share: the real window shown, Calculate run to its end with the
// save question answered No and seed 1, and a widget saved as a PNG.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdio>

#include "ui/main/frmMain.hpp"

namespace ferrolith::screenshot {

// True when the program was given files PNG names; else says what it takes (names).
inline bool givenFiles(int argc, char* argv[], int files, const char* names) {
    if (argc == files + 1) return true;
    std::fprintf(stderr, "usage: %s %s\n", argv[0], names);
    return false;
}

// The rare case (Allowable Stress 90,3) at 2 x 100, or the window's defaults.
enum class Inputs { Defaults, RareCase };

// The results window once the run has ended, or nullptr with why on standard error.
inline ResultsWindow* calculate(frmMain& window, Inputs inputs) {
    window.Form_Load();
    window.dialogs().setMessageBoxHook([](auto...) { return MessageResult::No; });
    window.seeds().fixed = 1;  // the same figures in every picture
    if (inputs == Inputs::RareCase) {
        window.controls().txtRepititions->setText("2");
        window.controls().txtSampleSize->setText("100");
        window.controls().txtParam[3]->setText("90,3");
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return nullptr;
    }
    QSignalSpy calculated(&window, &frmMain::runFinished);
    QTest::mouseClick(window.controls().btmCalc, Qt::LeftButton);
    if (!calculated.wait(60000)) {
        std::fprintf(stderr, "the run did not end\n");
        return nullptr;
    }
    ResultsWindow& results = window.results().window();
    if (!QTest::qWaitForWindowExposed(&results)) {
        std::fprintf(stderr, "the results window was not shown\n");
        return nullptr;
    }
    return &results;
}

// Clicks panel's button of that name and waits for ended; false with why on standard error.
template <class Panel, class Signal>
bool clickAndWait(Panel& panel, const char* button, Signal ended, const QString& what) {
    QSignalSpy spy(&panel, ended);
    QTest::mouseClick(panel.template findChild<QPushButton*>(QString::fromLatin1(button)),
                      Qt::LeftButton);
    if (spy.count() > 0 || spy.wait(60000)) return true;
    std::fprintf(stderr, "%s did not end\n", qPrintable(what));
    return false;
}

inline bool save(QWidget& shown, const char* path) {
    if (shown.grab().save(QString::fromLocal8Bit(path), "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

}  // namespace ferrolith::screenshot
