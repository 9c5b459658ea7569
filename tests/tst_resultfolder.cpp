#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "support/kelvarontest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Where the result goes: beside the program when its folder can be written, else in the user's
// data folder; and what the user sees when neither can be written. How a window behaves when a
// write fails is for tst_diskfaults.
class TestResultFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(u"en_US"_s));
        QStandardPaths::setTestModeEnabled(true);
        QDir(userFolder()).removeRecursively();
    }

    void init()
    {
        QFile::remove(programResult());
        form = example.create();
        QVERIFY(ShowAndActivate(form.get()));
        TypeFields(form.get(), example.example());
    }

    void cleanup()
    {
        form.reset();
        QDir(userFolder()).removeRecursively();
    }

    void writableProgramFolderGetsTheResult()
    {
        ClickShowResult(form.get());
        QCOMPARE(FileBytes(programResult()), Utf16LeWithBom(example.report));
        QCOMPARE(Pane(form.get())->currentPath(), programResult());
        QVERIFY(!QFile::exists(userFolder()));
    }

    // A read-only program folder sends the result to the user's data folder; when that cannot
    // be written either, the user is told and the old result stays.
    void readOnlyProgramFolderSendsTheResultToTheUsersFolder()
    {
        const auto programFolder = ScopedMount::readOnly(QCoreApplication::applicationDirPath());
        if (!programFolder->ok())
            QSKIP("read-only bind mounts are not allowed here");
        const QString userResult = userFolder() + u"/result.html"_s;
        // A link there is replaced, not written through.
        const QString notes = userFolder() + u"/notes.txt"_s;
        QVERIFY(QDir().mkpath(userFolder()) && WriteUnicodeFile(notes, u"notes"_s, false));
        QVERIFY(QFile::link(notes, userResult));
        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(!QFileInfo(userResult).isSymLink());
        QCOMPARE(FileBytes(notes), Utf16LeWithBom(u"notes"_s).mid(2));
        QCOMPARE(FileBytes(userResult), Utf16LeWithBom(example.report));
        QCOMPARE(Pane(form.get())->currentPath(), userResult);
        QVERIFY(Pane(form.get())->toPlainText().startsWith(u"Option 1\nA chi-square test"_s));
        QVERIFY(!QFile::exists(programResult()));

        const auto dataFolder = ScopedMount::readOnly(userFolder());
        QVERIFY(dataFolder->ok());
        TypeInto(Box(form.get(), u"txtpvalue"_s), u".05"_s);
        ClickShowResult(form.get());
        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes().first().title, u"Error"_s);
        QVERIFY2(boxes.texts().first().contains(userResult), qPrintable(boxes.texts().first()));
        QCOMPARE(FileBytes(userResult), Utf16LeWithBom(example.report));
    }

private:
    static QString userFolder()
    {
        return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    static QString programResult()
    {
        return QCoreApplication::applicationDirPath() + u"/result.html"_s;
    }

    const ExampleWindow &example = ExampleWindows().at(ChiSquare);
    std::unique_ptr<ResultForm> form;
};

QTEST_MAIN(TestResultFolder)
#include "tst_resultfolder.moc"
