#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// The result file writer and the pane that shows the file. Where the windows put the file, what
// they do when it cannot be written (the previous file kept), and names with surrogates, written
// unchanged, are for tst_resultfolder, tst_diskfaults and tst_oddinput.
class TestResultOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        path = dir->filePath(u"result.html"_s);
    }

    // The bytes of the worked examples are for tst_testwindows.
    void shorterTextLeavesNothingOfTheLonger()
    {
        QVERIFY(WriteUnicodeFile(path, QString(500, u'x'), true));
        QVERIFY(WriteUnicodeFile(path, u"short"_s, true));
        QCOMPARE(FileBytes(path), Utf16LeWithBom(u"short"_s));
    }

    // Numeric references with and without their semicolon, decimal and hexadecimal, also at the
    // very end of the page.
    void paneShowsGreekLettersWithAndWithoutSemicolon()
    {
        QVERIFY(WriteUnicodeFile(
            path, u"<u>Option 1</u><br>&#945; &#967;<sup>2</sup> at &#945 = .05 &#x3B1 x&#945"_s,
            true));
        ResultViewer pane;
        pane.Navigate(path);
        // A word joiner keeps ".05" whole at a line's end.
        QCOMPARE(pane.toPlainText(), u"Option 1\nα χ2 at α = .\u206005 α xα"_s);
        QCOMPARE(pane.currentPath(), path);
    }

    void paneTextCopiesWithItsItalics()
    {
        QVERIFY(WriteUnicodeFile(path, u"(<i>N</i> = 30) at &#945 = .05"_s, true));
        ResultViewer pane;
        pane.Navigate(path);
        pane.selectAll();
        pane.copy();
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasHtml());
        QVERIFY(copied->html().contains(u"font-style:italic;\">N</span>"_s));
        QCOMPARE(copied->text(), u"(N = 30) at α = .05"_s);
    }

    // A page with an enormous word is broken anywhere (laid out at word boundaries it takes
    // seconds); every other page keeps its words whole.
    void paneBreaksAnywhereOnlyWithAnEnormousWord()
    {
        const QString enormous = dir->filePath(u"enormous.html"_s);
        QVERIFY(WriteUnicodeFile(path, u"<u>Option 1</u><br>"_s + QString(900, u'x'), true));
        QVERIFY(
            WriteUnicodeFile(enormous, u"<u>Option 1</u><br>a "_s + QString(100000, u'x'), true));
        ResultViewer pane;
        pane.Navigate(path);
        QCOMPARE(pane.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        pane.Navigate(enormous);
        QCOMPARE(pane.wordWrapMode(), QTextOption::WrapAnywhere);
        QCOMPARE(pane.toPlainText().size(), 100000 + 11);
        pane.Navigate(path);
        QCOMPARE(pane.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString path;
};

QTEST_MAIN(TestResultOutput)
#include "tst_resultoutput.moc"
