#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "support/kelvarontest.h"
#include "toolkit/twips.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

class TestOddInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(u"en_US"_s));
        QFile::remove(ResultFilePath());
    }

    void initTestCase() { QProcess::execute(u"mkfifo"_s, {u"/tmp/kelvaron-pipe"_s}); }
    void cleanupTestCase() { QFile::remove(u"/tmp/kelvaron-pipe"_s); }
    void cleanup() { form.reset(); }

    // Names the user may legally type or paste; each is written exactly and shown.
    void oddNamesAreWrittenAndShown_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("name1");
        QTest::addColumn<QString>("name2");
        // A piece the pane must show, and one it must not (the markup, which it interprets).
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notShown");

        const QString longWord(100000, u'x');
        const QString combining = u"Cafe\u0301 n\u0303o\u0308\u0301 \u1100\u1161\u11A8"_s;
        const QString rightToLeft =
            u"\u05E7\u05D1\u05D5\u05E6\u05D4 \u0645\u062C\u0645\u0648\u0639\u0629 12"_s;
        const QString astral = u"\U0001D465\U0001F600 \U00020BB7"_s;
        const QString loneHigh = u"a"_s + QChar(0xD800) + u"b"_s;
        const QString loneLow = u"c"_s + QChar(0xDFFF);
        for (const int window : {ChiSquare, Dependent, Independent, Anova}) {
            const auto row = [window](const char *what) -> QTestData & {
                return WindowRow(window, what);
            };
            row("100,000 characters, one word")
                << longWord << u"Control"_s << longWord << QString();
            row("combining marks") << combining << u"Control"_s << combining << QString();
            row("right-to-left") << rightToLeft << u"Control"_s << rightToLeft << QString();
            row("surrogate pairs") << astral << u"Control"_s << astral << QString();
            // Kept as they are, in the file and in the pane.
            row("lone high surrogate") << loneHigh << u"Control"_s << loneHigh << QString();
            row("lone low surrogate at the end") << loneLow << u"Control"_s << loneLow << QString();
            row("bold tag left open") << u"<b>pre"_s << u"Control"_s << u"pre"_s << u"<b>"_s;
            row("entity") << u"&amp;"_s << u"R&amp;D"_s << u"R&D"_s << u"&amp;"_s;
            // Read by the pane as the start of a tag; the file must still hold it unchanged.
            row("less-than and ampersand")
                << u"a<b & c"_s << u"Control"_s << QString() << QString();
            // A '<' that cannot start a tag is text, as in a web browser.
            row("less-than before a digit")
                << u"Age <30 & R&D"_s << u"Control"_s << u"Age <30 & R&D"_s << QString();
            // The pane loads nothing the page names: these would read for ever or leak a file.
            row("image from a device")
                << u"<img src=/dev/zero>"_s << u"Control"_s << u"Control"_s << QString();
            row("image from a pipe")
                << u"<img src=/tmp/kelvaron-pipe>"_s << u"Control"_s << u"Control"_s << QString();
            row("style sheet import of a pipe")
                << u"<style>@import url(/tmp/kelvaron-pipe);</style>"_s << u"Control"_s
                << u"Control"_s << QString();
            row("image from a private file")
                << u"<img src=/etc/passwd>"_s << u"Control"_s << u"Control"_s << u"root"_s;
            row("100,000 nested bold tags") << QString(u"<b>"_s).repeated(100000) << u"Control"_s
                                            << u"too complex to format"_s << QString();
            // The ANOVA report names the dependent variable (the second name) before the factor.
            row("comment left open")
                << u"Treatment"_s << u"<!--"_s
                << (window == Anova ? u"compare the mean"_s : u"Treatment"_s) << u"Option 2"_s;
        }
    }

    void oddNamesAreWrittenAndShown()
    {
        QFETCH(int, window);
        QFETCH(QString, name1);
        QFETCH(QString, name2);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        const ExampleWindow &under = ExampleWindows().at(window);
        form = under.create();
        QVERIFY(ShowAndActivate(form.get()));
        FillExample(form.get(), under, name1, name2);

        MessageBoxCatcher boxes;
        QElapsedTimer clicked;
        clicked.start();
        ClickShowResult(form.get());

        QCOMPARE(boxes.texts(), QStringList());
        // Whatever the page names is answered by the pane itself, at once.
        if (name1.contains(u"<img"_s) || name1.contains(u"@import"_s)) {
            QVERIFY(Pane(form.get())->refusedResources() > 0);
            QCOMPARE_LT(clicked.elapsed(), 1000);
        }
        // Both names whole, so neither box cut them.
        QCOMPARE(FileBytes(ResultFilePath()), Utf16LeWithBom(ExpectedReport(under, name1, name2)));
        QCOMPARE(Pane(form.get())->currentPath(), ResultFilePath());
        const QString page = Pane(form.get())->toPlainText();
        QVERIFY(page.startsWith(u"Option 1\n"_s) ||
                page.startsWith(u"This page was too complex"_s));
        QVERIFY(page.contains(shown));
        if (!notShown.isEmpty())
            QVERIFY(!page.contains(notShown));
        QVERIFY(qAbs(WindowHeightTwips(form.get()) - under.grownHeight) <= TwipsPerPixel());
        // Painted as a user would see it: boxes and pane.
        QVERIFY(!form->grab().isNull());
    }

private:
    std::unique_ptr<ResultForm> form;
};

QTEST_MAIN(TestOddInput)
#include "tst_oddinput.moc"
