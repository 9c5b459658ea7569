#include "support/textcheckwindow.h"

#include "sectioncheck/textcheckfrm.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

QPlainTextEdit *CheckedText(const QWidget *form)
{
    return form->findChild<QPlainTextEdit *>(u"txtText"_s);
}

QListView *FindingsList(const QWidget *form)
{
    return form->findChild<QListView *>(u"lstFindings"_s);
}

QString TotalsText(const QWidget *form)
{
    return form->findChild<QLabel *>(u"lblTotals"_s)->text();
}

QString RowRead(const QWidget *form, int row)
{
    return FindingsList(form)->model()->index(row, 0).data(Qt::AccessibleTextRole).toString();
}

namespace {
bool Checked(const QPlainTextEdit *edit)
{
    const auto *window = static_cast<const TextCheckfrm *>(edit->window());
    return QTest::qWaitFor([window] { return !window->checkPending(); });
}
} // namespace

bool PasteAndCheck(QPlainTextEdit *edit, const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(edit->viewport(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    return Checked(edit);
}

bool TypeAndCheck(QPlainTextEdit *edit, const QString &text)
{
    QTest::mouseClick(edit->viewport(), Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    return Checked(edit);
}
