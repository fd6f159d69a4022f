#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program_version.hpp"
#include "ui/main/frmMain.hpp"
#include "ui/main/study_commands.hpp"
#include "ui/widgets/application_icon.hpp"

namespace {

constexpr int exitBadArguments = 2;

// The manual page is written from this text and --version.
constexpr std::string_view helpText =
    "Usage: ferrolith [FILE]\n"
    "Ferrolith checks a simply supported rectangular beam by Monte Carlo simulation, in a\n"
    "window.\n"
    "\n"
    "FILE is a study saved by Save Study As (or ferrolith-cli --save-study), of any name: it\n"
    "fills the window's inputs and fixes the seed of its runs. A file that is not a study is\n"
    "named in a message and the window opens with its defaults.\n"
    "\n"
    "Options:\n"
    "  --help     show this text and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Qt's own options (-platform, -style and the others) are accepted too. ferrolith-cli runs\n"
    "the same check without a window.\n";

// Answered before the window toolkit starts, so that they need no display. True when answered.
bool answeredWithoutWindow(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--version") {
            std::cout << "ferrolith " << ferrolith::programVersion << '\n';
            return true;
        }
        if (arg == "--help" || arg == "-h") {
            std::cout << helpText;
            return true;
        }
    }
    return false;
}

// The study file among the arguments Qt left, or an empty text; nullopt (after a one-line
// message) when they cannot be used.
std::optional<std::string> studyArgument(const std::vector<std::string_view>& args) {
    std::vector<std::string_view> files;
    bool optionsEnd = false;
    for (const std::string_view arg : args) {
        if (!optionsEnd && arg == "--") {
            optionsEnd = true;
        } else if (!optionsEnd && arg.size() > 1 && arg.front() == '-') {
            std::cerr << "ferrolith: unknown option " << arg << " (see ferrolith --help)\n";
            return std::nullopt;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        std::cerr << "ferrolith: one study file at most (see ferrolith --help)\n";
        return std::nullopt;
    }
    return files.empty() ? std::string() : std::string(files.front());
}

// Opens the study once the window is on the screen, so that a study that cannot be read is a
// message over it (the window keeps its defaults).
void openWhenShown(ferrolith::frmMain& window, const std::string& path) {
    auto* wait = new QTimer(&window);
    QObject::connect(wait, &QTimer::timeout, &window, [&window, wait, path] {
        if (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) return;
        wait->stop();
        wait->deleteLater();
        window.studyCommands().openStudy(path);
    });
    wait->start(10);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (answeredWithoutWindow(argc, argv)) return 0;
    QApplication app(argc, argv);  // takes its own options out of argv
    const auto study = studyArgument(std::vector<std::string_view>(argv + 1, argv + argc));
    if (!study) return exitBadArguments;
    QGuiApplication::setDesktopFileName(QStringLiteral("ferrolith"));
    ferrolith::frmMain window;
    window.setWindowIcon(ferrolith::applicationIcon());
    window.Form_Load();
    window.show();
    if (!study->empty()) openWhenShown(window, *study);
    return QApplication::exec();
}
