#include "app/mainfrm.h"
#include "chisquare/chisquaretestfrm.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"
#include "ttestdep/ttestdepfrm.h"
#include "ttestindep/ttestindepfrm.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {
double luminance(const QColor &c)
{
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    const double dark = std::min(la, lb), light = std::max(la, lb);
    return (light + 0.05) / (dark + 0.05);
}
bool centredWithinAPixel(const QWidget *window)
{
    const QRectF frame = window->frameGeometry(), screen = window->screen()->geometry();
    const QPointF offset = frame.center() - screen.center();
    return std::abs(offset.x()) <= 1 && std::abs(offset.y()) <= 1;
}
std::unique_ptr<ResultForm> makeForm(const QString &which)
{
    if (which == u"dependent")
        return std::make_unique<ttestdepfrm>();
    if (which == u"chi-square")
        return std::make_unique<ChiSquareTestfrm>();
    return std::make_unique<ttestindepfrm>();
}
} // namespace

class TestDesktopLook : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textContrastsUnderADarkPalette()
    {
        const QPalette desktop = QApplication::palette();
        QPalette dark(QColor(53, 53, 53), QColor(42, 42, 42));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(238, 238, 238));
        QApplication::setPalette(dark);
        std::vector<std::unique_ptr<QWidget>> windows;
        windows.push_back(std::make_unique<MainFrm>());
        for (const QString &which : {u"independent"_s, u"dependent"_s, u"chi-square"_s})
            windows.push_back(makeForm(which));
        QApplication::setPalette(desktop);
        for (const auto &window : windows) {
            for (QWidget *control : window->findChildren<QWidget *>()) {
                const QPalette pal = control->palette();
                const double ratio = contrast(pal.color(control->foregroundRole()),
                                              pal.color(control->backgroundRole()));
                QVERIFY2(ratio >= 4.5, qPrintable(control->objectName()));
            }
            if (const ResultViewer *pane = window->findChild<ResultViewer *>()) {
                QCOMPARE(pane->palette().color(QPalette::Text), QColor(Qt::black));
                QCOMPARE(pane->palette().color(QPalette::Base), QColor(Qt::white));
            }
        }
    }

    void figureStaysOnOneLine_data()
    {
        QTest::addColumn<QString>("which");
        for (const char *which : {"independent", "dependent", "chi-square"})
            QTest::newRow(which) << QString::fromLatin1(which);
    }
    void figureStaysOnOneLine()
    {
        QFETCH(QString, which);
        // The figure after fillers of every length, so that some copy of it meets a line's end.
        QString page;
        for (int filler = 1; filler <= 60; ++filler)
            page += QString(filler % 12 + 1, u'x') + u" p = .004, "_s;
        QTemporaryDir dir;
        QVERIFY(WriteUnicodeFile(dir.filePath(u"p.html"_s), page, true));
        const auto form = makeForm(which);
        QVERIFY(ShowAndActivate(form.get()));
        Pane(form.get())->Navigate(dir.filePath(u"p.html"_s));
        const QTextBlock block = Pane(form.get())->document()->firstBlock();
        for (qsizetype at = block.text().indexOf(u"004"); at >= 0;
             at = block.text().indexOf(u"004", at + 1)) {
            const qsizetype point = block.text().lastIndexOf(u'.', at);
            QCOMPARE(block.layout()->lineForTextPosition(point).lineNumber(),
                     block.layout()->lineForTextPosition(at + 2).lineNumber());
        }
    }

    void firstOpeningUnderAWindowManagerIsCentredAndFixed()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("no X server with a window manager could start");
        MainFrm menu;
        menu.ShowCentred();
        QVERIFY(centredWithinAPixel(&menu));
        for (const char *entry : {"LblMainMenuLnk", "Label13", "Label18"}) {
            QList<QRect> openings;
            for (int opening = 0; opening < 2; ++opening) {
                QTest::mouseClick(menu.findChild<QWidget *>(QLatin1String(entry)), Qt::LeftButton);
                QTest::qWait(300);
                QWidget *form = QApplication::activeWindow();
                QVERIFY(form && form != &menu);
                openings << form->frameGeometry();
                QVERIFY(centredWithinAPixel(form));
                QCOMPARE(form->minimumSize(), form->maximumSize());
                QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
                QTest::mouseClick(form->findChild<QWidget *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
                QTest::qWait(100);
            }
            QCOMPARE(openings[0].height(), openings[1].height());
        }
    }
};

// Runs on a display of its own with a window manager where one can start, else offscreen.
int main(int argc, char *argv[])
{
    QProcess xvfb, wm;
    xvfb.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1280x1024x24"_s,
                           u"-dpi"_s, u"96"_s, u"-nolisten"_s, u"tcp"_s});
    if (xvfb.waitForReadyRead(5000)) {
        qputenv("DISPLAY", ':' + xvfb.readLine().trimmed());
        wm.start(u"openbox"_s, {});
        if (wm.waitForStarted(2000) && !wm.waitForFinished(1000))
            qputenv("QT_QPA_PLATFORM", "xcb");
    }
    int rc = 0;
    {
        QApplication app(argc, argv);
        TestDesktopLook test;
        rc = QTest::qExec(&test, argc, argv);
    }
    wm.kill();
    xvfb.kill();
    wm.waitForFinished();
    xvfb.waitForFinished();
    return rc;
}

#include "tst_desktoplook.moc"
