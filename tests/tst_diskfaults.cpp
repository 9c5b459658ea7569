#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "support/examplewindows.h"
#include "support/kelvarontest.h"
#include "toolkit/twips.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {
enum class Fault {
    ResultPathIsAFolder,
    DiskFull,
    DiskFullBeforeAnyResult,
    NoInodeLeft,
    ReaderHoldsTheOldFile,
    LinkToAFileBeside,
    LinkToAFileElsewhere,
    DanglingLink,
};

// Writes a file in the folder until the disk refuses another byte.
bool FillUp(const QString &folder)
{
    QFile filler(folder + u"/filler"_s);
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'f');
    while (filler.write(block) == block.size()) {
    }
    while (filler.write("f", 1) == 1) {
    }
    return filler.error() != QFileDevice::NoError;
}

QStringList FolderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}
} // namespace

// Every fault leaves either the complete new result or the old one untouched. A failure shows
// one message naming the file, and leaves the window, its page and the folder as they were.
class TestDiskFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(u"en_US"_s)); }

    void init() { QFile::remove(ResultFilePath()); }

    void cleanup()
    {
        form.reset();
        if (reader) {
            reader->kill();
            reader->waitForFinished();
            reader.reset();
        }
        disk.reset();
        QDir(ResultFilePath()).removeRecursively();
        QFile::remove(ResultFilePath());
    }

    void faultKeepsTheOldResultOrWritesTheNew_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<Fault>("fault");
        QTest::addColumn<bool>("writes");
        for (const int window : {ChiSquare, Dependent, Independent, Anova}) {
            const auto row = [window](const char *what, Fault fault, bool writes) {
                WindowRow(window, what) << fault << writes;
            };
            row("result path is a folder", Fault::ResultPathIsAFolder, false);
            row("disk full", Fault::DiskFull, false);
            row("disk full before any result", Fault::DiskFullBeforeAnyResult, false);
            row("no inode left", Fault::NoInodeLeft, false);
            row("another process reads the old file", Fault::ReaderHoldsTheOldFile, true);
            row("link to a file beside it", Fault::LinkToAFileBeside, true);
            row("link to a file elsewhere", Fault::LinkToAFileElsewhere, true);
            row("dangling link", Fault::DanglingLink, true);
        }
    }

    void faultKeepsTheOldResultOrWritesTheNew()
    {
        QFETCH(int, window);
        QFETCH(Fault, fault);
        QFETCH(bool, writes);
        const ExampleWindow &under = ExampleWindows().at(window);
        const QString path = ResultFilePath();
        const QString folder = QFileInfo(path).absolutePath();
        const QString oldReport = ExpectedReport(under, u"Treatment"_s, u"Control"_s);
        const QString newReport =
            ExpectedReport(under, u"Treatment"_s, u"Placebo and waiting list"_s);

        if (fault == Fault::DiskFull || fault == Fault::DiskFullBeforeAnyResult ||
            fault == Fault::NoInodeLeft) {
            // Room for the window's results and, without a filler, for nothing else.
            disk = ScopedMount::tmpfs(folder, fault == Fault::NoInodeLeft ? u"size=1m,nr_inodes=2"_s
                                                                          : u"size=64k"_s);
            if (!disk->ok())
                QSKIP("mounting a tmpfs is not allowed here");
        }

        form = under.create();
        QVERIFY(ShowAndActivate(form.get()));
        if (fault != Fault::ResultPathIsAFolder && fault != Fault::DiskFullBeforeAnyResult) {
            FillExample(form.get(), under, u"Treatment"_s, u"Control"_s);
            ClickShowResult(form.get());
            QCOMPARE(FileBytes(path), Utf16LeWithBom(oldReport));
            form->ResetForm(); // collapsed, to see that a failure does not grow it
        }
        const QByteArray oldBytes = FileBytes(path);
        const QString oldPage = Pane(form.get())->toHtml();
        FillExample(form.get(), under, u"Treatment"_s, u"Placebo and waiting list"_s);

        QString linkTarget;
        switch (fault) {
        case Fault::ResultPathIsAFolder:
            QVERIFY(QDir().mkpath(path));
            QVERIFY(WriteUnicodeFile(path + u"/kept.html"_s, oldReport, true));
            break;
        case Fault::DiskFull:
        case Fault::DiskFullBeforeAnyResult:
            QVERIFY(FillUp(folder));
            break;
        case Fault::NoInodeLeft:
            break; // the old result holds the only inode there is besides the folder's
        case Fault::ReaderHoldsTheOldFile:
            reader = std::make_unique<QProcess>();
            reader->start(u"tail"_s, {u"-c"_s, u"+1"_s, u"-f"_s, path});
            QVERIFY(reader->waitForStarted());
            QTRY_COMPARE(reader->peek(oldBytes.size() + 1), oldBytes);
            break;
        case Fault::LinkToAFileBeside:
        case Fault::LinkToAFileElsewhere:
        case Fault::DanglingLink:
            linkTarget = fault == Fault::LinkToAFileBeside ? folder + u"/notes.txt"_s
                         : fault == Fault::DanglingLink    ? folder + u"/gone/notes.txt"_s
                                                           : QDir::tempPath() + u"/notes.txt"_s;
            if (fault != Fault::DanglingLink)
                QVERIFY(WriteUnicodeFile(linkTarget, u"notes"_s, false));
            QFile::remove(path);
            QVERIFY(QFile::link(linkTarget, path));
            break;
        }
        const QStringList entries = FolderEntries(folder);
        const QRect geometry = form->frameGeometry();

        MessageBoxCatcher boxes;
        ClickShowResult(form.get());

        if (writes) {
            QCOMPARE(boxes.texts(), QStringList());
            QCOMPARE(FileBytes(path), Utf16LeWithBom(newReport));
            QVERIFY(qAbs(WindowHeightTwips(form.get()) - under.grownHeight) <= TwipsPerPixel());
            QVERIFY(Pane(form.get())->toPlainText().contains(u"Placebo and waiting list"_s));
            if (!linkTarget.isEmpty()) {
                QVERIFY(!QFileInfo(path).isSymLink());
                QCOMPARE(FileBytes(linkTarget), fault == Fault::DanglingLink
                                                    ? QByteArray()
                                                    : Utf16LeWithBom(u"notes"_s).mid(2));
                QFile::remove(linkTarget);
            }
        } else {
            QCOMPARE(boxes.boxes().size(), 1);
            QCOMPARE(boxes.boxes().first().title, u"Error"_s);
            QCOMPARE(boxes.boxes().first().icon, int(QMessageBox::Critical));
            QVERIFY2(boxes.texts().first().contains(QDir::toNativeSeparators(path)),
                     qPrintable(boxes.texts().first()));
            QCOMPARE(form->frameGeometry(), geometry);
            QCOMPARE(Pane(form.get())->toHtml(), oldPage);
            QCOMPARE(FolderEntries(folder), entries);
            if (fault == Fault::ResultPathIsAFolder) {
                QVERIFY(QFileInfo(path).isDir());
                QCOMPARE(FileBytes(path + u"/kept.html"_s), Utf16LeWithBom(oldReport));
            } else {
                QCOMPARE(FileBytes(path), oldBytes);
            }
        }

        if (reader) {
            // The reader still has the old file, whole, and nothing of the new one.
            QTest::qWait(200);
            QCOMPARE(reader->state(), QProcess::Running);
            QCOMPARE(reader->readAllStandardOutput(), oldBytes);
        }

        // Once the fault is gone, the same click writes the new result.
        if (fault == Fault::ResultPathIsAFolder)
            QVERIFY(QDir(path).removeRecursively());
        else if (fault < Fault::ReaderHoldsTheOldFile)
            QVERIFY(QFile::remove(
                folder + (fault == Fault::NoInodeLeft ? u"/result.html"_s : u"/filler"_s)));
        ClickShowResult(form.get());
        QCOMPARE(boxes.boxes().size(), writes ? 0 : 1);
        QCOMPARE(FileBytes(path), Utf16LeWithBom(newReport));
        QVERIFY(Pane(form.get())->toPlainText().contains(u"Placebo and waiting list"_s));
    }

private:
    std::unique_ptr<ResultForm> form;
    std::unique_ptr<ScopedMount> disk;
    std::unique_ptr<QProcess> reader;
};

QTEST_MAIN(TestDiskFaults)
#include "tst_diskfaults.moc"
