#include <QApplication>
#include <iostream>
#include <string_view>

#include "program_version.hpp"
#include "ui/application_icon.hpp"
#include "ui/frmMain.hpp"

int main(int argc, char* argv[]) {
    // Answered before the window toolkit starts, so that it needs no display.
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--version") {
            std::cout << "ferrolith " << ferrolith::programVersion << '\n';
            return 0;
        }
    }
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("ferrolith"));
    ferrolith::frmMain window;
    window.setWindowIcon(ferrolith::applicationIcon());
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
