// Times a run in the real window: sets the counts, presses Calculate and answers No to the save
// question, then prints the seconds from the press to the question, the report's own run time and
// the CPU time of the window's thread over the run.
//
//   ferrolith_window_bench REPETITIONS SAMPLES [SEED [REPORT_FILE]]
//   ferrolith_window_bench --text-only REPORT_FILE
//
// With --text-only it prints the seconds Qt's text document alone takes to hold REPORT_FILE, put
// in at once with no view and no undo history: the least any run in the report box can cost.
//
// Runs on the offscreen platform unless QT_QPA_PLATFORM names another. REPORT_FILE receives the
// final report text, to be compared with ferrolith-cli's for the same seed. With
// FERROLITH_BENCH_RESULTS=closed the results window, which opens with the run, is closed at once,
// so that runs with and without it can be compared.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

#include "ui/main/frmMain.hpp"
#include "ui/widgets/widget_text.hpp"

namespace {

using Clock = std::chrono::steady_clock;

// The figure after "Total time taken was (s) " in the report, or "?" when there is none.
std::string reportedSeconds(const std::string& report) {
    const std::string marker = "Total time taken was (s) ";
    const auto at = report.find(marker);
    if (at == std::string::npos) return "?";
    const auto start = at + marker.size();
    return report.substr(start, report.find("\r\n", start) - start);
}

// CPU seconds the calling thread has used: the window's own work, apart from the workers'.
double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Seconds to put the report in a document laid out as the report box lays out its own.
int timeTextAlone(const char* path) {
    QFile file(QString::fromLocal8Bit(path));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", path);
        return 1;
    }
    const QByteArray bytes = file.readAll();
    const QString text = ferrolith::toWidgetText(std::string_view(bytes.data(), bytes.size()));
    QTextDocument document;
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    document.setUndoRedoEnabled(false);
    const Clock::time_point start = Clock::now();
    QTextCursor(&document).insertText(text);
    std::printf("%d lines: %.3f s in the text document alone\n", document.blockCount() - 1,
                std::chrono::duration<double>(Clock::now() - start).count());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && argv[1] == std::string("--text-only")) return timeTextAlone(argv[2]);
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr,
                     "usage: %s REPETITIONS SAMPLES [SEED [REPORT_FILE]]\n"
                     "       %s --text-only REPORT_FILE\n",
                     argv[0], argv[0]);
        return 2;
    }
    ferrolith::frmMain window;
    window.Form_Load();
    if (argc >= 4) {
        bool isNumber = false;
        const qulonglong seed = QString::fromLocal8Bit(argv[3]).toULongLong(&isNumber);
        if (!isNumber) {
            std::fprintf(stderr, "SEED must be a whole number from 0 to 2^64 - 1: %s\n", argv[3]);
            return 2;
        }
        window.seeds().fixed = seed;
    }
    Clock::time_point asked;
    double cpuAsked = 0;
    window.dialogs().setMessageBoxHook([&asked, &cpuAsked](std::string_view prompt, auto, auto,
                                                           ferrolith::MessageButtons buttons) {
        if (buttons == ferrolith::MessageButtons::Ok) {
            std::fprintf(stderr, "%.*s\n", static_cast<int>(prompt.size()), prompt.data());
            return ferrolith::MessageResult::Ok;
        }
        asked = Clock::now();
        cpuAsked = threadCpuSeconds();
        return ferrolith::MessageResult::No;
    });
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    const auto& c = window.controls();
    c.txtRepititions->setText(QString::fromLocal8Bit(argv[1]));
    c.txtSampleSize->setText(QString::fromLocal8Bit(argv[2]));

    if (qEnvironmentVariable("FERROLITH_BENCH_RESULTS") == QLatin1String("closed"))
        QTimer::singleShot(0, [&window] { window.results().window().close(); });
    const double cpuPressed = threadCpuSeconds();
    const Clock::time_point pressed = Clock::now();
    QSignalSpy finished(&window, &ferrolith::frmMain::runFinished);
    QTest::mouseClick(c.btmCalc, Qt::LeftButton);
    if (!finished.wait(3'600'000) || !window.lastRun() ||
        window.lastRun()->save != ferrolith::SaveOutcome::Declined) {
        std::fprintf(stderr, "the run did not reach the save question\n");
        return 1;
    }
    // The report as the window shows it, which is what the user would save.
    const std::string report = ferrolith::fromWidgetText(c.txtReport->toPlainText());
    if (argc == 5) std::ofstream(argv[4], std::ios::binary) << report;
    std::printf(
        "%s x %s: %.3f s from Calculate to the question; report's own time %s s; "
        "window thread CPU %.3f s\n",
        argv[1], argv[2], std::chrono::duration<double>(asked - pressed).count(),
        reportedSeconds(report).c_str(), cpuAsked - cpuPressed);
    return 0;
}
