#include "report/resultviewer.h"

#include "common/pagemarkup.h"
#include "report/pagecopy.h"
#include "toolkit/toolkit.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <QTextDocumentFragment>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

ResultViewer::ResultViewer(QWidget *parent) : QTextBrowser(parent)
{
    setOpenLinks(false);
    // A web browser's default face and size for a page that names none.
    document()->setDefaultFont(TimesFont(12));
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

QString ResultViewer::PageForDisplay(const QByteArray &fileBytes)
{
    const auto encoding =
        QStringConverter::encodingForData(fileBytes).value_or(QStringConverter::Utf8);
    QStringDecoder decode(encoding);
    return CompleteNumericReferences(decode(fileBytes));
}

namespace {
// Qt's line layout seeks the end of a word before it breaks the word anywhere, again for every
// line, so a word of 100,000 letters takes seconds to lay out. A page that holds a word longer
// than this is broken anywhere: the long word shows in the same lines, and only the page's other
// words may now break inside at a line's end.
constexpr qsizetype LongestWordToWrapAtBoundaries = 1000;

qsizetype LongestUnbreakableRun(const QString &text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype longest = 0;
    qsizetype previous = 0;
    for (qsizetype at = breaks.toNextBoundary(); at != -1; at = breaks.toNextBoundary()) {
        longest = std::max(longest, at - previous);
        previous = at;
    }
    return longest;
}
} // namespace

QMimeData *ResultViewer::createMimeDataFromSelection() const
{
    return PageCopy(textCursor().selection());
}

// Nothing but the page is read.
QVariant ResultViewer::loadResource(int type, const QUrl &)
{
    ++m_refused;
    return BlankResource(type);
}

namespace {
// Qt's line breaker breaks between a figure's leading point or comma and its digits (".|004"),
// and <nobr> only keeps spaces from breaking. A word joiner after that separator, in the text
// between tags, keeps such a figure whole; copies from the pane and what screen readers are
// given leave the joiners out.
QString KeepFiguresWhole(const QString &page)
{
    static const QRegularExpression tagOrLeadingSeparator(
        QStringLiteral("<[a-zA-Z/!?][^>]*>|(?<![\\w.,])[.,](?=\\d)"));
    QString shown = page;
    qsizetype added = 0;
    for (const QRegularExpressionMatch &match : tagOrLeadingSeparator.globalMatch(page)) {
        if (!match.capturedView().startsWith(u'<'))
            shown.insert(match.capturedEnd() + added++, WordJoiner);
    }
    return shown;
}
} // namespace

void ResultViewer::Navigate(const QString &path)
{
    m_path = path;
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QString page = PageForDisplay(bytes);
    // Emptied first, so that the old page is not laid out again in the new wrap mode.
    clear();
    setWordWrapMode(LongestUnbreakableRun(page) > LongestWordToWrapAtBoundaries
                        ? QTextOption::WrapAnywhere
                        : QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (ElementTags(page) > MostTagsToFormat)
        setPlainText(tr("This page was too complex to format; it is shown as plain text.") + u'\n' +
                     page);
    else
        setHtml(KeepFiguresWhole(EscapeTextLessThans(page)));
}
