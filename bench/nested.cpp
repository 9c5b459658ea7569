// Time to show a page of n nested elements: laid out by Qt's HTML reader as it is (where this
// passes one second sets the pane's tag limit), and as the result pane shows it.
#include "report/resultviewer.h"
#include "report/unicodefile.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextBrowser>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString path = QDir::temp().filePath(QStringLiteral("kelvaron-nested.html"));
    QTextBrowser plain;
    ResultViewer pane;
    for (QWidget *view : {static_cast<QWidget *>(&plain), static_cast<QWidget *>(&pane)}) {
        view->resize(600, 300);
        view->show();
    }
    std::printf("%-6s %6s %10s %10s\n", "tag", "depth", "Qt ms", "pane ms");
    for (const char *tag : {"b", "div", "table"}) {
        for (const int depth : {2500, 5000, 10000, 20000}) {
            const QString page =
                QStringLiteral("<%1>").arg(QLatin1StringView(tag)).repeated(depth) +
                QStringLiteral("x");
            WriteUnicodeFile(path, page, true);
            QElapsedTimer timer;
            timer.start();
            plain.setHtml(page);
            plain.repaint();
            const qint64 qtTime = timer.restart();
            pane.Navigate(path);
            pane.repaint();
            std::printf("%-6s %6d %10lld %10lld\n", tag, depth, qtTime, timer.elapsed());
        }
    }
    QFile::remove(path);
}
