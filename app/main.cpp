#include "chisquare/chisquaretestfrm.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ChiSquareTestfrm form;
    form.show();
    return app.exec();
}
