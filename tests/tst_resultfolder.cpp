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

using namespace Qt::Literals::StringLiterals;

// The user's data folder takes the result when the program's folder cannot be written; the
// writable case is in tst_testwindows, failed writes in tst_diskfaults.
class TestResultFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readOnlyProgramFolderSendsTheResultToTheUsersFolder()
    {
        QStandardPaths::setTestModeEnabled(true);
        const QString userFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString userResult = userFolder + u"/result.html"_s;
        QDir(userFolder).removeRecursively();
        const auto programFolder = ScopedMount::readOnly(QCoreApplication::applicationDirPath());
        if (!programFolder->ok())
            QSKIP("read-only bind mounts are not allowed here");
        const ExampleWindow &example = ExampleWindows().at(ChiSquare);
        const auto form = example.create();
        QVERIFY(ShowAndActivate(form.get()));
        TypeFields(form.get(), example.example());
        // A link there is replaced, not written through.
        const QString notes = userFolder + u"/notes.txt"_s;
        QVERIFY(QDir().mkpath(userFolder) && WriteUnicodeFile(notes, u"notes"_s, false));
        QVERIFY(QFile::link(notes, userResult));

        MessageBoxCatcher boxes;
        ClickShowResult(form.get());
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(!QFileInfo(userResult).isSymLink());
        QCOMPARE(FileBytes(notes), Utf16LeWithBom(u"notes"_s).mid(2));
        QCOMPARE(FileBytes(userResult), Utf16LeWithBom(example.report));
        QCOMPARE(Pane(form.get())->currentPath(), userResult);

        QDir(userFolder).removeRecursively();
    }
};

QTEST_MAIN(TestResultFolder)
#include "tst_resultfolder.moc"
