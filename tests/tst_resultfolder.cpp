#include "chisquare/chisquaretestfrm.h"
#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/kelvarontest.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Where the result goes: beside the program when its folder can be written, else in the user's
// data folder; and what the user sees when neither can be written.
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
        form = std::make_unique<ChiSquareTestfrm>();
        QVERIFY(ShowAndActivate(form.get()));
        const QStringList texts = {u"Gender"_s, u"Smoking"_s,    u"male"_s, u"female"_s,
                                   u"smoker"_s, u"non-smoker"_s, u"100"_s,  u"48"_s,
                                   u"52"_s,     u"30"_s,         u"70"_s,   u".05"_s,
                                   u"4.32"_s,   u".038"_s};
        const QList<QLineEdit *> boxes = form->findChildren<QLineEdit *>();
        for (qsizetype i = 0; i < texts.size(); ++i)
            boxes.at(i)->setText(texts.at(i));
    }

    void cleanup()
    {
        form.reset();
        QDir(userFolder()).removeRecursively();
    }

    void writableProgramFolderGetsTheResult()
    {
        QCOMPARE(ResultFilePath(), programResult());
        clickShowResult();
        QVERIFY(QFile::exists(programResult()));
        QCOMPARE(pane()->currentPath(), programResult());
        QVERIFY(!QFile::exists(userFolder()));
    }

    void readOnlyProgramFolderSendsTheResultToTheUsersFolder()
    {
        const auto programFolder = ScopedMount::readOnly(QCoreApplication::applicationDirPath());
        if (!programFolder->ok())
            QSKIP("read-only bind mounts are not allowed here");
        const QString userResult = userFolder() + u"/result.html"_s;
        QCOMPARE(ResultFilePath(), userResult);

        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        QVERIFY(FileBytes(userResult).startsWith("\xFF\xFE<\0u\0>\0"));
        QCOMPARE(pane()->currentPath(), userResult);
        QVERIFY(pane()->toPlainText().startsWith(u"Option 1\nA chi-square test"_s));
        QVERIFY(!QFile::exists(programResult()));
    }

    void noWritablePlaceTellsTheUserAndKeepsTheOldResult()
    {
        const auto programFolder = ScopedMount::readOnly(QCoreApplication::applicationDirPath());
        if (!programFolder->ok())
            QSKIP("read-only bind mounts are not allowed here");
        MessageBoxCatcher boxes;
        clickShowResult();
        QCOMPARE(boxes.texts(), QStringList());
        const QString userResult = ResultFilePath();
        const QByteArray previous = FileBytes(userResult);
        QVERIFY(!previous.isEmpty());

        const auto dataFolder = ScopedMount::readOnly(userFolder());
        QVERIFY(dataFolder->ok());
        form->ResetForm(); // collapsed, to see that a failed write does not grow it
        init();
        form->findChild<QLineEdit *>(u"txtpvalue"_s)->setText(u".05"_s);
        const QRect collapsed = form->frameGeometry();
        const QString page = pane()->toHtml();
        clickShowResult();

        QCOMPARE(boxes.boxes().size(), 1);
        QCOMPARE(boxes.boxes().first().title, u"Error"_s);
        QVERIFY2(boxes.texts().first().contains(userResult), qPrintable(boxes.texts().first()));
        QCOMPARE(form->frameGeometry(), collapsed);
        QCOMPARE(pane()->toHtml(), page);
        QCOMPARE(FileBytes(userResult), previous);
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
    ResultViewer *pane() const { return form->findChild<ResultViewer *>(u"WebBrowser1"_s); }
    void clickShowResult()
    {
        QTest::mouseClick(form->findChild<QPushButton *>(u"CmdShowResultText"_s), Qt::LeftButton);
    }

    std::unique_ptr<ChiSquareTestfrm> form;
};

QTEST_MAIN(TestResultFolder)
#include "tst_resultfolder.moc"
