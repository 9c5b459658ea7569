#include "common/pagemarkup.h"

#include <QImage>
#include <QRegularExpression>
#include <QTextDocument>

namespace {
bool StartsTag(QChar next)
{
    return (next >= u'a' && next <= u'z') || (next >= u'A' && next <= u'Z') || next == u'/' ||
           next == u'!' || next == u'?';
}
} // namespace

QString EscapeTextLessThans(const QString &html)
{
    QString read;
    read.reserve(html.size());
    for (qsizetype at = 0; at < html.size(); ++at) {
        if (html[at] == u'<' && (at + 1 == html.size() || !StartsTag(html[at + 1])))
            read += u"&lt;";
        else
            read += html[at];
    }
    return read;
}

QVariant BlankResource(int type)
{
    if (type != QTextDocument::ImageResource)
        return QVariant(QStringLiteral(""));
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    return blank;
}

QString CompleteNumericReferences(QString html)
{
    static const QRegularExpression unterminatedReference(
        QStringLiteral("&#(?:([0-9]+)(?![0-9;])|([xX][0-9a-fA-F]+)(?![0-9a-fA-F;]))"));
    return html.replace(unterminatedReference, QStringLiteral("&#\\1\\2;"));
}

// Deeply nested elements take Qt's HTML reader and layout time that grows with the square of the
// depth; measured with bench/nested.cpp, nested <b>, <div>, <table> take 0.2, 0.3, 0.2 s at
// 5,000; 1.2, 1.2, 0.9 s at 10,000; 4.9, 5.7, 3.2 s at 20,000. 5,000 leaves room for slower
// machines within a second. A real report holds fewer than 40 tags, whatever the length of its
// names.
qsizetype ElementTags(const QString &html)
{
    qsizetype tags = 0;
    for (qsizetype at = 0; at + 1 < html.size(); ++at)
        tags += html[at] == u'<' && html[at + 1].isLetter();
    return tags;
}
