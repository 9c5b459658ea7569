#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The result file writer and the pane; the windows' use of them is tested through the windows.
class TestResultOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
    }

private:
    QTemporaryDir dir;
    const QString path = dir.filePath(u"result.html"_s);
};

QTEST_MAIN(TestResultOutput)
#include "tst_resultoutput.moc"
