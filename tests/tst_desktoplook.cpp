#include "app/mainfrm.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "toolkit/toolkit.h"

#include <QApplication>
#include <QDebug>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

// WCAG's relative luminance, plus the 0.05 of its contrast ratio.
static double luminance(const QColor &c)
{
    double sum = 0.05;
    for (auto [v, weight] :
         {std::pair{c.redF(), 0.2126}, {c.greenF(), 0.7152}, {c.blueF(), 0.0722}})
        sum += weight * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    return sum;
}
static bool centredWithinAPixel(const QWidget *window)
{
    const QPointF off = QRectF(window->windowHandle()->frameGeometry()).center() -
                        QRectF(window->screen()->geometry()).center();
    return std::abs(off.x()) <= 1 && std::abs(off.y()) <= 1;
}

// The window manager on the test's display, where one could start.
static QProcess *windowManager = nullptr;

// Openbox runs the startup command once it manages windows.
static bool startWindowManager()
{
    windowManager->start(u"openbox"_s, {u"--startup"_s, u"echo ready"_s});
    QByteArray said;
    while (!said.contains("ready") && windowManager->waitForReadyRead(10000))
        said += windowManager->readAll();
    return said.contains("ready");
}

class TestDesktopLook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // First, so that the menu is the first window this process shows, before any frame is seen.
    // A window manager may also come after the program, as in a session that starts both.
    void menuCentredOnItsFirstOpening_data()
    {
        QTest::addColumn<bool>("managerComesLater");
        QTest::newRow("window manager running") << false;
        QTest::newRow("window manager started after the menu is shown") << true;
    }
    void menuCentredOnItsFirstOpening()
    {
        QFETCH(bool, managerComesLater);
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("no X server with a window manager could start");
        if (managerComesLater) {
            windowManager->terminate();
            QVERIFY(windowManager->waitForFinished());
        }
        MainFrm menu;
        menu.ShowCentred();
        if (managerComesLater)
            QVERIFY(startWindowManager());
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        // Centred on the height it ends up with, title bar included.
        QTRY_VERIFY(menu.windowHandle()->frameMargins().top() > 0);
        QTRY_VERIFY2(centredWithinAPixel(&menu),
                     qPrintable(QDebug::toString(menu.windowHandle()->frameGeometry())));
    }

    void textContrastsUnderADarkPalette()
    {
        const QPalette desktop = QApplication::palette();
        QApplication::setPalette(QPalette(QColor(53, 53, 53))); // light text, dark boxes
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(std::make_unique<MainFrm>());
        for (const ExampleWindow &window : ExampleWindows())
            windows.push_back(window.create());
        QApplication::setPalette(desktop);
        for (const auto &window : windows) {
            for (QWidget *control : window->findChildren<QWidget *>()) {
                const double fore = luminance(control->palette().color(control->foregroundRole()));
                const double back = luminance(control->palette().color(control->backgroundRole()));
                QVERIFY2(std::max(fore, back) / std::min(fore, back) >= 4.5,
                         qPrintable(control->objectName()));
            }
            const ResultViewer *pane = window->findChild<ResultViewer *>();
            QVERIFY(!pane ||
                    (pane->palette().text() == Qt::black && pane->palette().base() == Qt::white));
        }
    }

    void figureStaysOnOneLine_data() { EachWindow(); }
    void figureStaysOnOneLine()
    {
        QFETCH(int, window);
        // The figure after fillers of many lengths, so that some copy of it meets a line's end.
        QString page;
        for (int filler = 1; filler <= 60; ++filler)
            page += QString(filler % 12 + 1, u'x') + u" p = .004, "_s;
        QTemporaryDir dir;
        QVERIFY(WriteUnicodeFile(dir.filePath(u"p.html"_s), page, true));
        const auto form = ExampleWindows().at(window).create();
        QVERIFY(ShowAndActivate(form.get()));
        Pane(form.get())->Navigate(dir.filePath(u"p.html"_s));
        // A line that starts with a digit starts inside the figure.
        const QTextBlock block = Pane(form.get())->document()->firstBlock();
        QVERIFY(block.layout()->lineCount() > 5);
        for (int line = 1; line < block.layout()->lineCount(); ++line)
            QVERIFY(!block.text().at(block.layout()->lineAt(line).textStart()).isDigit());
    }

    // Each row makes its own menu, so each opening is a first one.
    void firstOpeningUnderAWindowManager_data() { EachWindow(); }
    void firstOpeningUnderAWindowManager()
    {
        QFETCH(int, window);
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("no X server with a window manager could start");
        MainFrm menu;
        menu.ShowCentred();
        QVERIFY(QTest::qWaitForWindowActive(&menu));
        QVERIFY(centredWithinAPixel(&menu));
        const char *entry[] = {"Label18", "Label13", "LblMainMenuLnk", "Label19", "Label20"};
        QTest::mouseClick(menu.findChild<QWidget *>(QLatin1String(entry[window])), Qt::LeftButton);
        QTest::qWait(300);
        const QWidget *form = QApplication::activeWindow();
        QVERIFY(form && form != &menu);
        // 15 twips a pixel at 96 dpi; the height is the outer one, title bar included.
        QCOMPARE(form->windowHandle()->frameGeometry().height() * 15.0,
                 ExampleWindows().at(window).collapsedHeight);
        QVERIFY(centredWithinAPixel(form));
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    }
};

// Runs on a display of its own with a window manager where one can start, else offscreen.
int main(int argc, char *argv[])
{
    QProcess xvfb, wm;
    windowManager = &wm;
#ifndef __SANITIZE_ADDRESS__ // the X libraries (xkbcommon, D-Bus) report under the sanitizers
    xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-noreset"_s, u"-screen"_s, u"0"_s,
                           u"1280x1024x24"_s, u"-dpi"_s, u"96"_s, u"-nolisten"_s, u"tcp"_s});
    if (xvfb.waitForReadyRead(5000)) {
        qputenv("DISPLAY", ':' + xvfb.readLine().trimmed());
        if (startWindowManager())
            qputenv("QT_QPA_PLATFORM", "xcb");
    }
#endif
    int rc = 0;
    {
        QApplication app(argc, argv);
        TestDesktopLook test;
        rc = QTest::qExec(&test, argc, argv);
    }
    for (QProcess *process : {&wm, &xvfb}) {
        process->kill();
        process->waitForFinished();
    }
    return rc;
}

#include "tst_desktoplook.moc"
