#include "common/pagemarkup.h"

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
