// Kelvaron's start exactly as main() does it, ended once the main menu is painted.
#include "app/fontwarmup.h"
#include "app/mainfrm.h"
#include "firstpaint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    FontWarmUp fonts;
    QApplication app(argc, argv);
    fonts.finish();
    QApplication::setApplicationName(QStringLiteral("kelvaron"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelvaron.Kelvaron"));
    MainFrm menu;
    ExitAfterFirstPaint probe(&menu);
    menu.ShowCentred();
    return app.exec();
}
