#include "sectioncheck/documentloader.h"
#include "sectioncheck/textcheckfrm.h"
#include "support/documentfiles.h"
#include "support/kelvarontest.h"
#include "support/textcheckwindow.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Each result of the tests' texts: the p its statistic gives (two-tailed) against the p written.
namespace {
const QString Consistent = u"t(38) = 2.10, p = .042"_s;  // gives .042
const QString Inconsistent = u"t(38) = 2.10, p = .02"_s; // gives .042
} // namespace

// The Check a Results Section window's files: opened, dropped, unreadable or hostile.
class TestTextCheckFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window reads files through the command line built beside the tests.
    void initTestCase() { DocumentLoader::SetProgram(QStringLiteral(KELVARON_CHECK_PATH)); }
    void init()
    {
        form = std::make_unique<TextCheckfrm>();
        QVERIFY(ShowAndActivate(form.get()));
    }
    void cleanup() { form.reset(); }

    // Opened by the dialog or dropped, each kind of file replaces the text in one step that
    // Ctrl+Z takes back.
    void opensEachKindOfFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<bool>("dropped");
        const QByteArray html = "<html><body><p>Results: <i>t</i>(38) = 2.10, <i>p</i> = "
                                ".02.</p></body></html>";
        QTest::newRow("plain text, opened")
            << u"a.txt"_s << QByteArray("Results: ") + Inconsistent.toUtf8() << false;
        QTest::newRow("Markdown, dropped")
            << u"a.md"_s << QByteArray("# Results\n\n**Training:** ") + Inconsistent.toUtf8() + '.'
            << true;
        QTest::newRow("HTML, dropped") << u"a.html"_s << html << true;
        QTest::newRow("HTML, opened") << u"a.htm"_s << html << false;
        // The italic t and p in runs of their own, as word processors write them.
        QTest::newRow(".docx, opened")
            << u"a.docx"_s
            << Docx("<w:p><w:r><w:t xml:space=\"preserve\">Results: </w:t></w:r><w:r><w:rPr><w:i/>"
                    "</w:rPr><w:t>t</w:t></w:r><w:r><w:t xml:space=\"preserve\">(38) = 2.10, "
                    "</w:t></w:r><w:r><w:rPr><w:i/></w:rPr><w:t>p</w:t></w:r><w:r><w:t "
                    "xml:space=\"preserve\"> = .02.</w:t></w:r></w:p>")
            << false;
        QTest::newRow(".odt, dropped")
            << u"a.odt"_s
            << Odt("<text:p>Results: <text:span>t</text:span>(38) = 2.10, "
                   "<text:span>p</text:span> = .02.</text:p>")
            << true;
        QTest::newRow(".pdf, opened")
            << u"a.pdf"_s << Pdf({{72, 72, u"Results: "_s + Inconsistent}}) << false;
    }
    void opensEachKindOfFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(bool, dropped);
        const QString path = write(name, contents);
        paste(u"Old draft: "_s + Consistent);
        if (dropped)
            drop(path);
        else
            openByDialog(path);
        QTRY_VERIFY(!form->documentLoading());
        QVERIFY2(text()->toPlainText().contains(Inconsistent), qPrintable(text()->toPlainText()));
        QVERIFY(!text()->toPlainText().contains(u"Old draft"_s));
        QTRY_VERIFY(!form->checkPending());
        QVERIFY(rowText(0).startsWith(u"Inconsistent: "_s));

        QTest::keyClick(text(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text()->toPlainText(), u"Old draft: "_s + Consistent);
    }

    // A file that cannot be read: the reason in the usual box, and the text as it was.
    void aBadFileLeavesTheTextAlone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::newRow("missing") << u"gone.txt"_s << QByteArray();
        QTest::newRow("not what its name says") << u"paper.docx"_s << QByteArray("plain words");
        QTest::newRow("not a PDF") << u"paper.pdf"_s << QByteArray("<html>not a pdf</html>");
    }
    void aBadFileLeavesTheTextAlone()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        const QString path = contents.isNull() ? dir.filePath(name) : write(name, contents);
        paste(Consistent);
        {
            MessageBoxCatcher boxes;
            drop(path);
            QTRY_COMPARE(boxes.boxes().size(), 1);
            QCOMPARE(boxes.boxes().first().title, u"Error"_s);
            QCOMPARE(boxes.boxes().first().icon, int(QMessageBox::Critical));
            QVERIFY2(boxes.texts().first().contains(name), qPrintable(boxes.texts().first()));
        }
        QCOMPARE(text()->toPlainText(), Consistent);
    }

    // A reader that dies on a hostile file takes its own process down, not the window.
    void aReaderThatCrashesLeavesTheTextAlone()
    {
        const QString crasher = write(u"crasher.sh"_s, "#!/bin/sh\nkill -SEGV $$\n");
        QFile::setPermissions(crasher, QFile::ReadOwner | QFile::ExeOwner);
        DocumentLoader::SetProgram(crasher);
        paste(Consistent);
        {
            MessageBoxCatcher boxes;
            drop(write(u"hostile.pdf"_s, "%PDF-1.4 whatever"));
            QTRY_COMPARE(boxes.boxes().size(), 1);
            QCOMPARE(boxes.texts().first(),
                     dir.filePath(u"hostile.pdf"_s) + u" could not be read: reading it failed."_s);
        }
        DocumentLoader::SetProgram(QStringLiteral(KELVARON_CHECK_PATH));
        QCOMPARE(text()->toPlainText(), Consistent);
        QVERIFY(form->isVisible());
    }

private:
    QPlainTextEdit *text() const { return CheckedText(form.get()); }
    QString rowText(int row) const { return RowRead(form.get(), row); }
    void paste(const QString &pasted) { QVERIFY(PasteAndCheck(text(), pasted)); }

    QString write(const QString &name, const QByteArray &contents)
    {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
            return {};
        return file.fileName();
    }

    void drop(const QString &path)
    {
        QMimeData dragged;
        dragged.setUrls({QUrl::fromLocalFile(path)});
        QWidget *target = text()->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &dropped);
    }

    // Ctrl+O, and the file chosen in the dialog as a user would.
    void openByDialog(const QString &path)
    {
        QTimer chooser;
        connect(&chooser, &QTimer::timeout, this, [&chooser, path] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                chooser.stop();
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept();
            }
        });
        chooser.start(10);
        QTest::keyClick(text(), Qt::Key_O, Qt::ControlModifier);
        // The button's key presses it as a click does, a moment later.
        QTRY_VERIFY(!chooser.isActive());
    }

    QTemporaryDir dir;
    std::unique_ptr<TextCheckfrm> form;
};

QTEST_MAIN(TestTextCheckFiles)
#include "tst_textcheckfiles.moc"
