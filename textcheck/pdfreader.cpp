// A PDF's text layer through Poppler's Qt 6 binding.
#include "textcheck/documentformats.h"
#include "textcheck/pdfparagraphs.h"

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
        QList<PdfWord> words;
        for (const std::unique_ptr<Poppler::TextBox> &word : page->textList())
            words.append({WithoutLigatures(word->text()), word->boundingBox(),
                          word->hasSpaceAfter(), !word->nextWord()});
        AppendPdfPage(text, words);
    }
    if (pages > 0 && text.trimmed().isEmpty()) {
        why = u"it has no text to read; a scanned page holds only a picture of its text."_s;
        return {};
    }
    return text;
}

} // namespace documentreading
