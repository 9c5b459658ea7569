#include "app/fontwarmup.h"
#include "app/mainfrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.finish();
    // Names the per-user data folder and ties the windows to the installed menu entry.
    QApplication::setApplicationName(QStringLiteral("kelvaron"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvaron.Kelvaron"));
    MainFrm menu;
    menu.ShowCentred();
    return app.exec();
}
