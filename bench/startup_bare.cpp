// The yardsticks: a bare Qt Widgets window of the main menu's size, empty, or (built with
// WITH_LABEL) showing one line of text, which loads the font database as any text must.
#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.resize(581, 261);
#ifdef WITH_LABEL
    new QLabel(QStringLiteral("Select your test now!"), &window);
#endif
    ExitAfterFirstPaint probe(&window);
    window.show();
    return app.exec();
}
