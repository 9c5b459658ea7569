#include "app/mainfrm.h"
#include "sectioncheck/findingslist.h"
#include "sectioncheck/textcheckfrm.h"
#include "support/kelvarontest.h"
#include "support/textcheckwindow.h"
#include "toolkit/clickablelabel.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>
#include <QToolTip>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// Each result of the tests' texts: the p its statistic gives (two-tailed) against the p written.
namespace {
const QString Consistent = u"t(38) = 2.10, p = .042"_s;   // gives .042
const QString Inconsistent = u"t(38) = 2.10, p = .02"_s;  // gives .042: not significant either way
const QString DecisionError = u"t(45) = 1.80, p = .04"_s; // gives .079: not significant at .05
} // namespace

class TestTextCheckWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        form = std::make_unique<TextCheckfrm>();
        QVERIFY(ShowAndActivate(form.get()));
    }
    void cleanup() { form.reset(); }

    // Each verdict has its own pattern of mark, its own icon and its words in the list; the mark
    // covers the result and nothing more, and hovering over it shows the row's message.
    void eachVerdictIsMarkedListedAndExplained_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<int>("underline");
        QTest::addColumn<bool>("tinted");
        QTest::newRow("consistent: thin line")
            << Consistent << u"Consistent"_s << int(QTextCharFormat::SingleUnderline) << false;
        QTest::newRow("inconsistent: wave")
            << Inconsistent << u"Inconsistent"_s << int(QTextCharFormat::WaveUnderline) << false;
        QTest::newRow("decision: wave on a tint")
            << DecisionError << u"Decision error"_s << int(QTextCharFormat::WaveUnderline) << true;
        QTest::newRow("unchecked: dots") << u"r(38) = 1.20, p = .01"_s << u"Unchecked"_s
                                         << int(QTextCharFormat::DotLine) << false;
    }
    void eachVerdictIsMarkedListedAndExplained()
    {
        QFETCH(QString, result);
        QFETCH(QString, verdict);
        paste(u"Scores rose after training, "_s + result + u". No other effect was found."_s);

        const QList<QTextEdit::ExtraSelection> marks = text()->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks.first().cursor.selectedText(), result);
        QTEST(int(marks.first().format.underlineStyle()), "underline");
        QTEST(marks.first().format.hasProperty(QTextFormat::BackgroundBrush), "tinted");

        QCOMPARE(list()->model()->rowCount(), 1);
        const QModelIndex row = list()->model()->index(0, 0);
        const QString read = row.data(Qt::AccessibleTextRole).toString();
        QVERIFY2(read.startsWith(verdict + u": "_s), qPrintable(read));
        QVERIFY(!row.data(Qt::DecorationRole).value<QIcon>().isNull());
        const QString message = read.mid(verdict.size() + 2);
        QVERIFY(!message.isEmpty());

        hover(marks.first().cursor.selectionStart() + 3);
        QTRY_COMPARE(QToolTip::text(), message);
        hover(2); // "Scores": no result there
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // Typed key by key, the text is checked once typing pauses; the totals line and the row say
    // what the check said. A new alpha checks again.
    void typingAndAlphaRecheck()
    {
        QTest::mouseClick(text()->viewport(), Qt::LeftButton);
        QTest::keyClicks(text(), DecisionError + u'.');
        QVERIFY(form->checkPending());
        QTRY_VERIFY(!form->checkPending());
        QCOMPARE(
            totals(),
            u"1 result: 0 consistent, 0 inconsistent, 1 decision error; 0 p values without a statistic"_s);
        QVERIFY(rowText(0).startsWith(u"Decision error: "_s));

        // At .10 both p values are significant: wrong, but the decision stands.
        TypeInto(Box(form.get(), u"txtAlpha"_s), u".10"_s);
        QTRY_VERIFY(!form->checkPending());
        QVERIFY2(rowText(0).startsWith(u"Inconsistent: t(45) = 1.80 gives p = "_s),
                 qPrintable(rowText(0)));
        QCOMPARE(
            totals(),
            u"1 result: 0 consistent, 1 inconsistent, 0 decision errors; 0 p values without a statistic"_s);
    }

    // F8 and Shift+F8 from the list or the text select the results that need a look, round the
    // text's ends, and leave the caret in the text, the row in step.
    void f8VisitsTheResultsThatNeedALook()
    {
        paste(Consistent + u". "_s + Inconsistent + u". "_s + Consistent + u". "_s + DecisionError +
              u"."_s);
        QCOMPARE(list()->model()->rowCount(), 4);
        list()->setFocus();
        const QList<std::pair<Qt::KeyboardModifier, QString>> steps = {
            {Qt::NoModifier, Inconsistent},
            {Qt::NoModifier, DecisionError},
            {Qt::NoModifier, Inconsistent},
            {Qt::ShiftModifier, DecisionError},
            {Qt::ShiftModifier, Inconsistent}};
        for (const auto &[modifier, lands] : steps) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8, modifier);
            QCOMPARE(text()->textCursor().selectedText(), lands);
            QCOMPARE(QApplication::focusWidget(), text());
            QCOMPARE(list()->currentIndex().data(FindingsModel::QuoteRole).toString(), lands);
        }
        // Choosing a row in the list selects its result and leaves the focus in the list.
        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_Home);
        QCOMPARE(text()->textCursor().selectedText(), Consistent);
        QCOMPARE(QApplication::focusWidget(), list());
    }

    // Copy Findings: the totals and one row per result, as a table in HTML and tab-separated
    // text, with nothing invisible that the text held.
    void copyFindingsCopiesATable()
    {
        paste(u"First, "_s + Consistent + u"; then, "_s + QChar(0x200B) + Inconsistent + u"."_s);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        const QStringList lines = copied->text().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), totals());
        QCOMPARE(lines.at(1), u"Verdict\tResult\tFinding"_s);
        QCOMPARE(lines.at(2).section(u'\t', 0, 1), u"Consistent\t"_s + Consistent);
        QCOMPARE(lines.at(3).section(u'\t', 0, 1), u"Inconsistent\t"_s + Inconsistent);
        QCOMPARE(lines.at(3).section(u'\t', 2), rowText(1).section(u": "_s, 1));
        const QString html = copied->html();
        QVERIFY(html.contains(u"<table"_s));
        QCOMPARE(html.count(u"<tr>"_s), 3);
        QVERIFY(html.contains(u"<td>Inconsistent</td><td>"_s + Inconsistent + u"</td>"_s));
        for (const QString &flavour : {copied->text(), html})
            QVERIFY(std::none_of(flavour.begin(), flavour.end(),
                                 [](QChar c) { return c.category() == QChar::Other_Format; }));
    }

    // Resizable and maximisable, it opens centred at a size that fits a 1366 by 768 screen;
    // Tab goes round its controls in the order shown.
    void opensFittingASmallScreenAndTabsInOrder()
    {
        QVERIFY(form->minimumSize() != form->maximumSize());
        QVERIFY(form->windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(IsCentred(form.get()));
        const QSize outer =
            form->frameGeometry().size() * form->screen()->logicalDotsPerInch() / 96;
        QVERIFY(outer.width() <= 1366 && outer.height() <= 768 - 40);
        QVERIFY(form->screen()->availableGeometry().contains(form->frameGeometry()));
        QCOMPARE(form->windowTitle(), u"Kelvaron - Beta  Check a Results Section"_s);

        // Every control, the links included, in the order they stand.
        text()->setFocus();
        const QStringList order = {u"LblCopyFindings"_s, u"lstFindings"_s,    u"CmdOpen"_s,
                                   u"txtAlpha"_s,        u"LblMainMenuLnk"_s, u"txtText"_s};
        for (const QString &next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
        }
    }

    // A link that has the focus is clicked by Enter or Space, as a button is.
    void linksReachedByTabAreClickedByKeys()
    {
        paste(Inconsistent);
        QTRY_VERIFY(!form->checkPending());
        QApplication::clipboard()->clear();
        auto *copy = form->findChild<QWidget *>(u"LblCopyFindings"_s);
        copy->setFocus();
        QTest::keyClick(copy, Qt::Key_Space);
        QVERIFY(QApplication::clipboard()->text().contains(Inconsistent));
        auto *menu = form->findChild<QWidget *>(u"LblMainMenuLnk"_s);
        menu->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        QVERIFY(!form->isVisible());
    }

    // The sixth entry opens the window (by a click or Alt+6); Main Menu goes back and keeps the
    // text. The entry stands in free space: on no other control, inside the menu.
    void theMainMenuOpensItAndItKeepsTheText()
    {
        form.reset();
        MainFrm menu;
        QVERIFY(ShowAndActivate(&menu));
        auto *entry = menu.findChild<ClickableLabel *>(u"Label21"_s);
        QCOMPARE(entry->text(), u"Check a Results Section"_s);
        QCOMPARE(entry->toolTip(), u"Check every statistic in a text you paste or open"_s);
        QCOMPARE(entry->font(), menu.findChild<QLabel *>(u"Label18"_s)->font());
        QVERIFY(menu.rect().contains(entry->geometry()));
        for (const QWidget *other : menu.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(other == entry || !other->geometry().intersects(entry->geometry()),
                     qPrintable(other->objectName()));

        QTest::keyClick(&menu, Qt::Key_6, Qt::AltModifier);
        TextCheckfrm *window = nullptr;
        QTRY_VERIFY((window = qobject_cast<TextCheckfrm *>(QApplication::activeWindow())));
        QVERIFY(!menu.isVisible());
        auto *edit = window->findChild<QPlainTextEdit *>(u"txtText"_s);
        paste(edit, Inconsistent);
        QTest::mouseClick(window->findChild<QLabel *>(u"LblMainMenuLnk"_s), Qt::LeftButton);
        QVERIFY(menu.isVisible() && !window->isVisible());
        QTest::mouseClick(entry, Qt::LeftButton);
        QVERIFY(window->isVisible());
        QCOMPARE(edit->toPlainText(), Inconsistent);
    }

private:
    QPlainTextEdit *text() const { return CheckedText(form.get()); }
    QListView *list() const { return FindingsList(form.get()); }
    QString totals() const { return TotalsText(form.get()); }
    QString rowText(int row) const { return RowRead(form.get(), row); }

    static void paste(QPlainTextEdit *edit, const QString &pasted)
    {
        QVERIFY(PasteAndCheck(edit, pasted));
    }
    void paste(const QString &pasted) { paste(text(), pasted); }

    void hover(int position)
    {
        QTextCursor at(text()->document());
        at.setPosition(position);
        const QPoint point = text()->cursorRect(at).center() + QPoint(2, 0);
        QHelpEvent help(QEvent::ToolTip, point, text()->viewport()->mapToGlobal(point));
        QApplication::sendEvent(text()->viewport(), &help);
    }

    std::unique_ptr<TextCheckfrm> form;
};

QTEST_MAIN(TestTextCheckWindow)
#include "tst_textcheckfrm.moc"
