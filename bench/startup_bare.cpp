// The yardstick: a bare Qt Widgets window of the main menu's size.
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(581, 261);
    ExitAfterFirstPaint probe(&window);
    window.show();
    return app.exec();
}
