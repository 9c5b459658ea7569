#include "app/modsupershell.h"
#include "app/platformopener.h"
#include "support/kelvarontest.h"

#include <QMessageBox>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// What the menu's feedback button calls; the call it makes is for tst_mainfrm.
class TestSuperShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void failuresComeBackAndShowOneBox_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("result"); // what the shell returns
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("description");
        QTest::newRow("blank target, shell not called")
            << u"    "_s << 42 << -1 << u"SuperShell()"_s
            << u"No file, Email, or URL specified to open"_s;
        QTest::newRow("2 not found")
            << u"x"_s << 2 << 2 << u"ShellExecute()"_s << u"The specified file was not found."_s;
        QTest::newRow("4 unknown") << u"x"_s << 4 << 4 << u"ShellExecute()"_s << u"Unknown Error"_s;
        QTest::newRow("32 is still a failure")
            << u"x"_s << 32 << 32 << u"ShellExecute()"_s
            << u"The specified dynamic-link library was not found."_s;
        QTest::newRow("33 succeeds") << u"x"_s << 33 << 0 << QString() << QString();
    }

    void failuresComeBackAndShowOneBox()
    {
        QFETCH(QString, target);
        QFETCH(int, result);
        QFETCH(int, number);
        QFETCH(QString, source);
        QFETCH(QString, description);
        ShellExecuteOverride shell([result](qintptr, const QString &, const QString &,
                                            const QString &, const QString &,
                                            int) { return result; });
        MessageBoxCatcher boxes;
        qint32 gotNumber = 99;
        QString gotSource = u"old"_s, gotDescription = u"old"_s;

        QCOMPARE(SuperShell(target, {}, 0, 1, {}, -1, true, gotNumber, gotSource, gotDescription),
                 number == 0);
        QCOMPARE(gotNumber, number);
        QCOMPARE(gotSource, source);
        QCOMPARE(gotDescription, description);
        if (number == 0) {
            QCOMPARE(boxes.boxes().size(), 0);
            return;
        }
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes().first().title, u"  Error"_s);
        QCOMPARE(boxes.boxes().first().icon, int(QMessageBox::Warning));
        // Shown on separate lines although the text breaks them with carriage returns.
        QCOMPARE(boxes.texts().first(),
                 u"The following error occured while trying to open the specified file, folder, "
                 u"URL, Email, or document:\n\nError Number = %1\nError Source = %2\n"
                 u"Error Description = %3"_s.arg(number)
                     .arg(source, description));
    }
};

QTEST_MAIN(TestSuperShell)
#include "tst_supershell.moc"
