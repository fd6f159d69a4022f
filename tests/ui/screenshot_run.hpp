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

inline bool save(QWidget& shown, const char* path) {
    if (shown.grab().save(QString::fromLocal8Bit(path), "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", path);
    return false;
}

}  // namespace ferrolith::screenshot
