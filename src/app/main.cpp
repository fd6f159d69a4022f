#include <QApplication>

#include "ui/frmMain.hpp"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("ferrolith"));
    ferrolith::frmMain window;
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
