// Time to show a page of n nested elements in the result pane, for the tag limit.
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include <QApplication>
#include <QElapsedTimer>
int main(int c, char **v)
{
    QApplication a(c, v);
    ResultViewer r;
    r.resize(600, 300);
    r.show();
    for (const char *t : {"b", "div", "table"})
        for (int n : {5000, 10000, 20000}) {
            QString s;
            for (int i = 0; i < n; i++)
                s += QString("<%1>").arg(t);
            WriteUnicodeFile("/tmp/n.html", s + "x", true);
            QElapsedTimer e;
            e.start();
            r.Navigate("/tmp/n.html");
            r.repaint();
            qInfo("%s %d %lld", t, n, e.elapsed());
        }
}
