#include "app/mainfrm.h"
#include "sectioncheck/findingslist.h"
#include "sectioncheck/textcheckfrm.h"
#include "support/kelvarontest.h"
#include "support/textcheckwindow.h"
#include "toolkit/clickablelabel.h"

#include <QApplication>
#include <QCheckBox>
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
// Figures of a result: a paired effect size that t(38) = 2.10 does not give (it gives 0.34), and
// a mean that no 25 whole numbers give.
const QString PairedD = u"t(38) = 2.10, p = .042, d_z = 0.90"_s;
const QString PairedDMessage =
    u"d_z = 0.90 does not fit t(38) = 2.10: a paired design gives d_z = 0.34"_s;
const QString GrimMean =
    u"Scores were higher (M = 3.47, SD = 1.20, n = 25) than before, t(24) = 2.10, p = .046."_s;
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

    // A figure of a result gets its own mark in its verdict's look and its own row right under
    // its result's, read as verdict, kind and message; hovering shows its message, and Enter on
    // its row selects it in the text.
    void eachFigureIsMarkedAndListedUnderItsResult_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("figure");
        QTest::addColumn<QString>("read"); // what the row is read as, or how it starts
        QTest::addColumn<int>("underline");
        QTest::addColumn<bool>("grim"); // the whole-number box set
        QTest::newRow("inconsistent effect size: wave")
            << u"The groups differed, "_s + PairedD + u"."_s << u"d_z = 0.90"_s
            << u"Inconsistent effect size: "_s + PairedDMessage
            << int(QTextCharFormat::WaveUnderline) << false;
        QTest::newRow("consistent effect size: thin line")
            << u"The groups differed, t(38) = 2.10, p = .042, d_z = 0.34."_s << u"d_z = 0.34"_s
            << u"Consistent effect size: "_s << int(QTextCharFormat::SingleUnderline) << false;
        QTest::newRow("partial eta squared against F: wave")
            << u"Groups differed, F(2, 57) = 3.76, p = .029, ηp2 = .21."_s << u"ηp2 = .21"_s
            << u"Inconsistent effect size: η²p = .21 does not fit F(2, 57) = 3.76: it gives "
               "η²p = .12"_s
            << int(QTextCharFormat::WaveUnderline) << false;
        QTest::newRow("df against N: wave")
            << u"They differed, t(78) = 2.07, p = .042, N = 60."_s << u"N = 60"_s
            << u"Inconsistent df against N: "_s << int(QTextCharFormat::WaveUnderline) << false;
        QTest::newRow("a mean GRIM cannot check: dots")
            << u"Others (M = 2.10, SD = 0.90, n = 150) did not, t(149) = 0.50, p = .62."_s
            << u"M = 2.10"_s << u"Unchecked GRIM: M = 2.10 with n = 150: "_s
            << int(QTextCharFormat::DotLine) << true;
    }
    void eachFigureIsMarkedAndListedUnderItsResult()
    {
        QFETCH(QString, written);
        QFETCH(QString, figure);
        QFETCH(QString, read);
        QFETCH(bool, grim);
        if (grim)
            toggleWholeNumbers();
        paste(written); // QTest types only ASCII: η and ² are pasted

        QCOMPARE(list()->model()->rowCount(), 2);
        QVERIFY(rowText(0).startsWith(u"Consistent: "_s));
        const QModelIndex row = list()->model()->index(1, 0);
        QCOMPARE(row.data(FindingsModel::QuoteRole).toString(), figure);
        QVERIFY2(rowText(1).startsWith(read), qPrintable(rowText(1)));
        QVERIFY(!row.data(Qt::DecorationRole).value<QIcon>().isNull());

        const QList<QTextEdit::ExtraSelection> marks = text()->extraSelections();
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks.at(1).cursor.selectedText(), figure);
        QTEST(int(marks.at(1).format.underlineStyle()), "underline");
        hover(marks.at(1).cursor.selectionStart() + 1);
        QTRY_COMPARE(QToolTip::text(), row.data(FindingsModel::MessageRole).toString());

        list()->setFocus();
        QTest::keyClick(list(), Qt::Key_End);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), text());
        QCOMPARE(text()->textCursor().selectedText(), figure);
    }

    // Unchecked to begin with, the box says what it assumes, on screen and to readers; set by
    // the keyboard it checks the means against their n, and unset it stops.
    void wholeNumberScoresAreOptedInto()
    {
        const QString assumption =
            u"Assumes every score is a whole number (a count or a "
            "single-item scale); means and SDs are checked against their n."_s;
        QCOMPARE(wholeNumbers()->text(), u"Whole-number scores (GRIM, GRIMMER)"_s);
        QVERIFY(!wholeNumbers()->isChecked());
        QCOMPARE(wholeNumbers()->accessibleDescription(), assumption);
        const auto *line = form->findChild<QLabel *>(u"lblWholeNumbers"_s);
        QCOMPARE(line->text(), assumption);
        QVERIFY(line->isVisible());

        type(GrimMean);
        QCOMPARE(list()->model()->rowCount(), 1);
        toggleWholeNumbers();
        QVERIFY(wholeNumbers()->isChecked());
        QVERIFY2(list()->model()->rowCount() >= 2, qPrintable(totals()));
        QVERIFY2(rowText(1).startsWith(u"Inconsistent GRIM: "_s), qPrintable(rowText(1)));
        QVERIFY2(totals().endsWith(u" inconsistent"_s) && totals().contains(u"figure"_s),
                 qPrintable(totals()));
        toggleWholeNumbers();
        QVERIFY(!wholeNumbers()->isChecked());
        QCOMPARE(list()->model()->rowCount(), 1);
    }

    // F8 stops at results and figures that need a look (inconsistent or unchecked), in the
    // text's order (a mean before its t, though the list has the t's row first), and passes over
    // the consistent ones.
    void f8VisitsTheFiguresThatNeedALook()
    {
        toggleWholeNumbers();
        const QString meanThenT = QString(GrimMean).replace(u"p = .046"_s, u"p = .02"_s);
        type(meanThenT + u" Then "_s + PairedD + u", and "_s + Inconsistent +
             u". Also, t(38) = 2.10, p = .042, d_z = 0.34. Others (M = 2.10, SD = 0.90, "
             "n = 150) did not, t(149) = 0.50, p = .62."_s);
        const QStringList stops = {u"M = 3.47"_s, u"t(24) = 2.10, p = .02"_s, u"d_z = 0.90"_s,
                                   Inconsistent, u"M = 2.10"_s};
        // Round the end and back: from the first stop, Shift+F8 goes round to the last.
        const QList<std::pair<Qt::KeyboardModifier, QString>> steps = {
            {Qt::NoModifier, stops[0]},    {Qt::NoModifier, stops[1]},
            {Qt::NoModifier, stops[2]},    {Qt::NoModifier, stops[3]},
            {Qt::NoModifier, stops[4]},    {Qt::NoModifier, stops[0]},
            {Qt::ShiftModifier, stops[4]}, {Qt::ShiftModifier, stops[3]},
            {Qt::ShiftModifier, stops[2]}};
        for (const auto &[modifier, lands] : steps) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8, modifier);
            QCOMPARE(text()->textCursor().selectedText(), lands);
            QCOMPARE(list()->currentIndex().data(FindingsModel::QuoteRole).toString(), lands);
        }
        QVERIFY(rowText(list()->currentIndex().row()).startsWith(u"Inconsistent effect size: "_s));
    }

    // Copy Findings: the totals and one row per result, each figure's row after its result's,
    // as a table in HTML and tab-separated text, with nothing invisible that the text held.
    void copyFindingsCopiesATable()
    {
        paste(u"First, "_s + PairedD + u"; then, "_s + QChar(0x200B) + Inconsistent + u"."_s);
        QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        const QStringList lines = copied->text().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QCOMPARE(lines.at(0), totals());
        QCOMPARE(lines.at(1), u"Verdict\tResult\tFinding"_s);
        QCOMPARE(lines.at(2).section(u'\t', 0, 1), u"Consistent\t"_s + Consistent);
        QCOMPARE(lines.at(3), u"Inconsistent effect size\td_z = 0.90\t"_s + PairedDMessage);
        QCOMPARE(lines.at(4).section(u'\t', 0, 1), u"Inconsistent\t"_s + Inconsistent);
        QCOMPARE(lines.at(4).section(u'\t', 2), rowText(2).section(u": "_s, 1));
        const QString html = copied->html();
        QVERIFY(html.contains(u"<table"_s));
        QCOMPARE(html.count(u"<tr>"_s), 4);
        QVERIFY(html.contains(u"<td>Inconsistent effect size</td><td>d_z = 0.90</td>"_s));
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
        const QStringList order = {u"LblCopyFindings"_s, u"lstFindings"_s,     u"CmdOpen"_s,
                                   u"txtAlpha"_s,        u"chkWholeNumbers"_s, u"LblMainMenuLnk"_s,
                                   u"txtText"_s};
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
    QCheckBox *wholeNumbers() const { return form->findChild<QCheckBox *>(u"chkWholeNumbers"_s); }

    static void paste(QPlainTextEdit *edit, const QString &pasted)
    {
        QVERIFY(PasteAndCheck(edit, pasted));
    }
    void paste(const QString &pasted) { paste(text(), pasted); }
    void type(const QString &typed) { QVERIFY(TypeAndCheck(text(), typed)); }

    // From the alpha box, Tab to the whole-number box and Space, as a user sets it; the text is
    // checked again.
    void toggleWholeNumbers()
    {
        TypeInto(Box(form.get(), u"txtAlpha"_s), u".05"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), wholeNumbers());
        QTest::keyClick(wholeNumbers(), Qt::Key_Space);
        QTRY_VERIFY(!form->checkPending());
    }

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
