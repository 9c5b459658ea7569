#include "report/pagecopy.h"

#include "common/pagemarkup.h"

#include <QBuffer>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextDocumentWriter>

using namespace Qt::Literals::StringLiterals;

namespace {
struct Run {
    QString text;
    QTextCharFormat format;
};
using Line = QList<Run>;

// The lines as shown: a block's line breaks and the blocks' ends both end a line.
QList<Line> LinesOf(const QTextDocument &page)
{
    QList<Line> lines;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        lines.append(Line());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QStringList pieces = fragment.text().split(QChar::LineSeparator);
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                if (i > 0)
                    lines.append(Line());
                if (!pieces.at(i).isEmpty())
                    lines.last().append({pieces.at(i), fragment.charFormat()});
            }
        }
    }
    return lines;
}

// Opening and closing marks of a run, outermost first.
QList<std::pair<QString, QString>> Marks(const QTextCharFormat &format, bool markdown)
{
    QList<std::pair<QString, QString>> marks;
    if (format.fontWeight() >= QFont::Bold)
        marks.append(markdown ? std::pair{u"**"_s, u"**"_s} : std::pair{u"<b>"_s, u"</b>"_s});
    if (format.fontItalic())
        marks.append(markdown ? std::pair{u"*"_s, u"*"_s} : std::pair{u"<i>"_s, u"</i>"_s});
    if (format.fontUnderline())
        marks.append({u"<u>"_s, u"</u>"_s});
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        marks.append({u"<sup>"_s, u"</sup>"_s});
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        marks.append({u"<sub>"_s, u"</sub>"_s});
    return marks;
}

QString Marked(const Run &run, const QString &text, bool markdown)
{
    QString before, inner = text, after;
    if (markdown) {
        // Markdown's emphasis neither opens before nor closes after a blank: blanks go outside.
        inner = text.trimmed();
        if (inner.isEmpty())
            return text;
        const qsizetype at = text.indexOf(inner);
        before = text.left(at);
        after = text.mid(at + inner.size());
    }
    const auto marks = Marks(run.format, markdown);
    for (const auto &mark : marks)
        before += mark.first;
    for (auto mark = marks.crbegin(); mark != marks.crend(); ++mark)
        inner += mark->second;
    return before + inner + after;
}

QString Html(const QList<Line> &lines)
{
    QStringList shown;
    for (const Line &line : lines) {
        QString html;
        for (const Run &run : line)
            html += Marked(run, run.text.toHtmlEscaped().replace(QChar::Nbsp, u"&nbsp;"_s), false);
        shown << html;
    }
    return u"<html><head><meta charset=\"utf-8\"></head><body>"_s + shown.join(u"<br>"_s) +
           u"</body></html>"_s;
}

// Characters Markdown would read as markup are written escaped.
QString MarkdownEscaped(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (u"\\`*_[]<>&#|~"_s.contains(c))
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QString Markdown(const QList<Line> &lines)
{
    // What would start a list, a heading or a quote at the start of a line.
    static const QRegularExpression lineStart(u"^(?:\\d+([.)])|[-+=])"_s);
    QString markdown;
    bool lineBefore = false;
    for (const Line &line : lines) {
        QString source;
        for (const Run &run : line)
            source += Marked(run, MarkdownEscaped(run.text), true);
        if (const QRegularExpressionMatch start = lineStart.match(source); start.hasMatch())
            source.insert(std::max<qsizetype>(start.capturedStart(1), 0), u'\\');
        if (source.isEmpty()) {
            // An empty line shown parts two paragraphs.
            lineBefore = false;
            continue;
        }
        // Lines within a paragraph end in a hard break.
        if (!markdown.isEmpty())
            markdown += lineBefore ? u"\\\n"_s : u"\n\n"_s;
        markdown += source;
        lineBefore = true;
    }
    return markdown;
}
} // namespace

QMimeData *PageCopy(const QTextDocumentFragment &selection)
{
    QTextDocument page;
    QTextCursor(&page).insertFragment(selection);
    for (QTextCursor joiner = page.find(QString(WordJoiner)); !joiner.isNull();
         joiner = page.find(QString(WordJoiner), joiner))
        joiner.removeSelectedText();

    auto *copy = new QMimeData;
    const QList<Line> lines = LinesOf(page);
    copy->setText(page.toPlainText());
    copy->setHtml(Html(lines));
    copy->setData(u"text/markdown"_s, Markdown(lines).toUtf8());
    QBuffer odf;
    QTextDocumentWriter writer(&odf, "ODF");
    if (writer.write(&page))
        copy->setData(u"application/vnd.oasis.opendocument.text"_s, odf.data());
    return copy;
}
