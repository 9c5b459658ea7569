#include "app/mainfrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Names the per-user data folder and ties the windows to the installed menu entry.
    QApplication::setApplicationName(QStringLiteral("kelvaron"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvaron.Kelvaron"));
    MainFrm menu;
    menu.ShowCentred();
    return app.exec();
}
