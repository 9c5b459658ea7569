#include "app/mainfrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    MainFrm menu;
    menu.show();
    return app.exec();
}
