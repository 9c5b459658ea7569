// Kelvaron's start exactly as main() does it, ended once the main menu is painted.
#include "app/mainfrm.h"
#include "firstpaint.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainFrm menu;
    ExitAfterFirstPaint probe(&menu);
    menu.show();
    return app.exec();
}
