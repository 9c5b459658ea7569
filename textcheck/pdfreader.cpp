// A PDF's text layer through Poppler's Qt 6 binding.
#include "textcheck/documentformats.h"

#include <QRectF>
#include <QVariant>
#include <mutex>
#include <poppler-qt6.h>

using namespace Qt::Literals::StringLiterals;

namespace documentreading {
namespace {

// Poppler reports each flaw it repairs on standard error; a damaged file is refused in words of
// our own instead, and a command line's output stays its own.
void IgnorePopplerMessage(const QString &, const QVariant &) {}

bool IsLineEndHyphen(QChar c)
{
    return c == u'-' || c == QChar(0x2010) || c == QChar(0x00AD);
}

// Words whose hyphen is part of the compound, not of the line's end: "one-tailed" must stay so.
bool KeepsItsHyphen(QStringView word)
{
    static const QStringList prefixes = {u"one"_s,     u"two"_s,    u"three"_s, u"four"_s,
                                         u"between"_s, u"within"_s, u"self"_s,  u"non"_s,
                                         u"cross"_s,   u"post"_s,   u"pre"_s};
    if (word.size() == 1)
        return true; // "t-test", "F-test"
    for (const QString &prefix : prefixes)
        if (word.compare(prefix, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// A word hyphenated at a line end is joined: "signifi-\ncant" reads "significant". Only a hyphen
// right after a letter and before a small letter on the next line counts, so that a minus
// ("t(38) =\n-2.10", "= -\n2.10") and a hyphen before a name or a figure ("COVID-\n19") stay.
QString JoinHyphenatedWords(const QString &text)
{
    QString joined;
    joined.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (IsLineEndHyphen(c) && i > 0 && text.at(i - 1).isLetter() && i + 2 < text.size() &&
            text.at(i + 1) == u'\n' && text.at(i + 2).isLower()) {
            qsizetype start = joined.size();
            while (start > 0 && joined.at(start - 1).isLetter())
                --start;
            if (KeepsItsHyphen(QStringView(joined).mid(start)))
                joined += u'-';
            ++i; // the line end
            continue;
        }
        joined += c;
    }
    return joined;
}

QString WithoutLigatures(QString text)
{
    static const std::pair<char16_t, const char16_t *> ligatures[] = {
        {0xFB00, u"ff"},  {0xFB01, u"fi"}, {0xFB02, u"fl"}, {0xFB03, u"ffi"},
        {0xFB04, u"ffl"}, {0xFB05, u"st"}, {0xFB06, u"st"}};
    for (const auto &[ligature, letters] : ligatures)
        text.replace(QChar(ligature), QString::fromUtf16(letters));
    return text;
}

} // namespace

QString ReadPdf(const QByteArray &bytes, QString &why)
{
    // The header may follow some bytes of junk, as readers allow, but not many.
    if (!bytes.left(1024).contains("%PDF-")) {
        why = u"it is not a PDF document (.pdf)."_s;
        return {};
    }
    static std::once_flag quiet;
    std::call_once(quiet, [] { Poppler::setDebugErrorFunction(IgnorePopplerMessage, {}); });
    // Poppler keeps global state (its parameters, set up by the first document, and its font
    // caches) that is not meant for several threads: the command line reads its files on all
    // cores, so PDFs are read one at a time.
    static std::mutex oneAtATime;
    const std::scoped_lock lock(oneAtATime);
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(bytes);
    if (!document) {
        why = u"it is damaged: its PDF structure cannot be read."_s;
        return {};
    }
    if (document->isLocked()) {
        why = u"it is protected by a password; save a copy without one."_s;
        return {};
    }
    if (!document->okToCopy()) {
        why = u"its author does not allow its text to be copied."_s;
        return {};
    }
    QString text;
    const int pages = document->numPages();
    for (int i = 0; i < pages; ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        if (!page)
            continue;
        // Poppler's words in its reading order (the columns of a page one after the other);
        // its text() orders the page's lines from top to bottom across the columns instead.
        QString pageText;
        for (const std::unique_ptr<Poppler::TextBox> &word : page->textList()) {
            pageText += word->text();
            if (!word->nextWord())
                pageText += u'\n'; // the line's last word
            else if (word->hasSpaceAfter())
                pageText += u' ';
        }
        text += pageText;
    }
    if (pages > 0 && text.trimmed().isEmpty()) {
        why = u"it has no text to read; a scanned page holds only a picture of its text."_s;
        return {};
    }
    return JoinHyphenatedWords(WithoutLigatures(text));
}

} // namespace documentreading
