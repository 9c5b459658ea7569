#include "app/modsupershell.h"
#include "app/platformopener.h"
#include "support/kelvarontest.h"

#include <QMessageBox>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestSuperShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blankTargetFailsWithoutCallingTheShell()
    {
        QStringList calls;
        ShellExecuteOverride shell(recordInto(calls, 42));
        MessageBoxCatcher boxes;
        qint32 number = 99;
        QString source = u"old"_s, description = u"old"_s;

        QVERIFY(!SuperShell(u"    "_s, {}, 0, 1, {}, -1, true, number, source, description));
        QCOMPARE(calls, QStringList());
        QCOMPARE(number, -1);
        QCOMPARE(source, u"SuperShell()"_s);
        QCOMPARE(description, u"No file, Email, or URL specified to open"_s);

        QCOMPARE(boxes.boxes().size(), 1);
        const MessageBoxCatcher::Box box = boxes.boxes().first();
        QCOMPARE(box.title, u"  Error"_s);
        QCOMPARE(box.icon, int(QMessageBox::Warning));
        // Shown on separate lines although the text breaks them with carriage returns.
        QCOMPARE(box.text,
                 u"The following error occured while trying to open the specified file, folder, "
                 u"URL, Email, or document:\n\nError Number = -1\nError Source = SuperShell()\n"
                 u"Error Description = No file, Email, or URL specified to open"_s);
        QCOMPARE(SuperShellErrorText(-1, source, description), box.text.split(u'\n').join(u'\r'));
    }

    void verbsAndArgumentsReachTheShell_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("verb");
        QTest::newRow("0 opens") << 0 << u"open"_s;
        QTest::newRow("-3 opens") << -3 << u"open"_s;
        QTest::newRow("3 prints") << 3 << u"print"_s;
    }

    void verbsAndArgumentsReachTheShell()
    {
        QFETCH(int, index);
        QFETCH(QString, verb);
        QStringList calls;
        ShellExecuteOverride shell(recordInto(calls, 33));
        qint32 number = 5;
        QString source = u"old"_s, description = u"old"_s;

        QVERIFY(SuperShell(u"  mailto:someone@example.org "_s, u"-x"_s, index, 1, u"/tmp"_s, -1,
                           true, number, source, description));
        // The owner -1 becomes 0, no window; the target is trimmed.
        QCOMPARE(calls, QStringList{u"0|"_s + verb + u"|mailto:someone@example.org|-x|/tmp|1"_s});
        QCOMPARE(number, 0);
        QCOMPARE(source, QString());
        QCOMPARE(description, QString());
    }

    void shellResultsBecomeSentences_data()
    {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("success");
        QTest::addColumn<QString>("description");
        QTest::newRow("2 not found") << 2 << false << u"The specified file was not found."_s;
        QTest::newRow("4 unknown") << 4 << false << u"Unknown Error"_s;
        QTest::newRow("32 is still a failure")
            << 32 << false << u"The specified dynamic-link library was not found."_s;
        QTest::newRow("33 succeeds") << 33 << true << QString();
    }

    void shellResultsBecomeSentences()
    {
        QFETCH(int, result);
        QFETCH(bool, success);
        QFETCH(QString, description);
        QStringList calls;
        ShellExecuteOverride shell(recordInto(calls, result));
        MessageBoxCatcher boxes;
        qint32 number = 99;
        QString source, text;

        // Without show errors the values still come back, and no box appears.
        QCOMPARE(SuperShell(u"x"_s, {}, 0, 1, {}, -1, false, number, source, text), success);
        QCOMPARE(boxes.boxes().size(), 0);
        QCOMPARE(number, success ? 0 : result);
        QCOMPARE(source, success ? QString() : u"ShellExecute()"_s);
        QCOMPARE(text, description);

        // With show errors, a failure (and only a failure) shows one box.
        SuperShell(u"x"_s, {}, 0, 1, {}, -1, true, number, source, text);
        QCOMPARE(boxes.boxes().size(), success ? 0 : 1);
    }

    void desktopOpenerReportsAMissingFile()
    {
        qint32 number = 0;
        QString source, description;
        QVERIFY(!SuperShell(u"/nonexistent/kelvaron-no-such-file.txt"_s, {}, 0, 1, {}, -1, false,
                            number, source, description));
        QCOMPARE(source, u"ShellExecute()"_s);
        // 2 where xdg-open is installed, 31 where nothing can open files at all.
        QVERIFY2(number == 2 || number == 31, qPrintable(QString::number(number)));
        QCOMPARE(description, ShellErrorDescription(number));
    }

    void verbsTheDesktopLacksAreRefused()
    {
        QCOMPARE(OpenWithDesktop(0, u"print"_s, u"/etc/hostname"_s, {}, {}, 1), 31);
    }

private:
    // Records each call as "owner|verb|target|parameters|folder|show".
    static ShellExecuteCall recordInto(QStringList &calls, int result)
    {
        return [&calls, result](qintptr owner, const QString &verb, const QString &target,
                                const QString &parameters, const QString &folder, int show) {
            calls << QStringList{QString::number(owner), verb, target, parameters, folder,
                                 QString::number(show)}
                         .join(u'|');
            return result;
        };
    }
};

QTEST_MAIN(TestSuperShell)
#include "tst_supershell.moc"
