#include "report/resultviewer.h"

#include "app/toolkit.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <algorithm>

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
    QString page = decode(fileBytes);

    static const QRegularExpression unterminatedReference(
        QStringLiteral("&#(?:([0-9]+)(?![0-9;])|([xX][0-9a-fA-F]+)(?![0-9a-fA-F;]))"));
    page.replace(unterminatedReference, QStringLiteral("&#\\1\\2;"));
    return page;
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
    setHtml(page);
}
