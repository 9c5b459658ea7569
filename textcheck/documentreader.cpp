#include "textcheck/documentreader.h"

#include "textcheck/documentformats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

using namespace Qt::Literals::StringLiterals;

namespace documentreading {
namespace {

// A manuscript, even a PDF full of figures, stays far below this; a larger file is refused
// before it is read into memory.
constexpr qint64 MostFileBytes = 256 * 1024 * 1024;

QString Extension(const QString &name)
{
    const QString fileName = QFileInfo(name).fileName();
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot <= 0 ? QString() : fileName.mid(dot + 1).toLower();
}

DocumentText Refusal(const QString &name, const QString &why)
{
    return {{}, name + u" could not be read: "_s + why};
}

// ".txt, .md, … and .pdf"
QString ExtensionsInWords()
{
    QStringList dotted;
    for (const QString &extension : DocumentExtensions())
        dotted << u"."_s + extension;
    const QString last = dotted.takeLast();
    return dotted.join(u", "_s) + u" and "_s + last;
}

QString NormalLineEnds(QString text)
{
    // Most texts have no carriage return: they are left untouched.
    if (!text.contains(u'\r'))
        return text;
    text.replace(u"\r\n"_s, u"\n"_s);
    text.replace(u'\r', u'\n');
    return text;
}

bool LooksBinary(const QByteArray &bytes)
{
    return bytes.startsWith("%PDF-") || bytes.startsWith("PK\x03\x04") ||
           bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1");
}

// UTF-8 unless a byte-order mark says UTF-16 (or UTF-32); the mark itself is not text.
QString DecodePlainText(const QByteArray &bytes, QString &why)
{
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    if (const auto marked = QStringConverter::encodingForData(bytes))
        encoding = *marked;
    else if (LooksBinary(bytes)) {
        why = u"it is not plain text."_s;
        return {};
    }
    QString text;
    // UTF-8 is checked whole and then decoded by Qt's fast path, many times faster than a
    // decoder that keeps state.
    if (encoding == QStringConverter::Utf8 && QByteArrayView(bytes).isValidUtf8()) {
        text = QString::fromUtf8(bytes);
    } else {
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
        text = decoder.decode(bytes);
        if (decoder.hasError()) {
            why = u"its text is neither UTF-8 nor UTF-16; save it as UTF-8 and try again."_s;
            return {};
        }
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.contains(QChar(0))) {
        why = u"it is not plain text."_s;
        return {};
    }
    return text;
}

// Markdown is read as its text. Only emphasis marks go, so that "*p* = .04" reads "p = .04": a
// run of one to three '*' or '_' that opens (after a blank, a bracket or the line's start, before
// a letter or digit) and the same run that closes it later on the line (after a letter, digit,
// ')' or '.'). A lone '*' ("p < .05*", "2 * 3") and snake_case stay. One pass: each kind of run
// keeps only its latest opener.
QString WithoutEmphasis(const QString &text)
{
    const auto isWordChar = [](QChar c) { return c.isLetterOrNumber(); };
    QString kept;
    kept.reserve(text.size());
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        qsizetype lineEnd = text.indexOf(u'\n', lineStart);
        if (lineEnd < 0)
            lineEnd = text.size();
        const QStringView line = QStringView(text).mid(lineStart, lineEnd - lineStart);
        QList<bool> drop(line.size(), false);
        // The latest unmatched opener for each mark and length: [mark][length - 1].
        qsizetype openers[2][3] = {{-1, -1, -1}, {-1, -1, -1}};
        for (qsizetype i = 0; i < line.size();) {
            const QChar c = line.at(i);
            if (c != u'*' && c != u'_') {
                ++i;
                continue;
            }
            qsizetype end = i;
            while (end < line.size() && line.at(end) == c)
                ++end;
            const qsizetype length = end - i;
            const QChar before = i > 0 ? line.at(i - 1) : QChar(u' ');
            const QChar after = end < line.size() ? line.at(end) : QChar(u' ');
            if (length <= 3) {
                const int mark = c == u'*' ? 0 : 1;
                qsizetype &opener = openers[mark][length - 1];
                // A star may close inside a word ("*p*s"), an underscore may not ("snake_case").
                const bool closes = (isWordChar(before) || before == u')' || before == u'.') &&
                                    (c == u'*' || !isWordChar(after)) && opener >= 0;
                const bool opens = !isWordChar(before) && isWordChar(after);
                if (closes) {
                    for (qsizetype k = 0; k < length; ++k)
                        drop[opener + k] = drop[i + k] = true;
                    opener = -1;
                } else if (opens) {
                    opener = i;
                }
            }
            i = end;
        }
        for (qsizetype i = 0; i < line.size(); ++i)
            if (!drop.at(i))
                kept += line.at(i);
        if (lineEnd < text.size())
            kept += u'\n';
        lineStart = lineEnd + 1;
    }
    return kept;
}

QString ReadHtmlChecked(const QByteArray &bytes, QString &why)
{
    // A page holds no NUL bytes unless it is UTF-16, which then starts with its mark.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (LooksBinary(bytes) || (!utf16 && bytes.left(4096).contains('\0'))) {
        why = u"it is not an HTML page (.html)."_s;
        return {};
    }
    return ReadHtml(bytes, why);
}

} // namespace

QString WithoutInvisibles(QString text)
{
    text.remove(QChar(0x00AD));
    text.remove(QChar(0x200B));
    text.remove(QChar(0x2060));
    text.remove(QChar(0xFEFF));
    return text;
}

} // namespace documentreading

DocumentText ReadDocumentBytes(const QByteArray &bytes, const QString &name)
{
    using namespace documentreading;
    const QString extension = Extension(name);
    QString why;
    QString text;
    if (extension.isEmpty() || extension == u"txt"_s)
        text = DecodePlainText(bytes, why);
    else if (extension == u"md"_s) {
        text = DecodePlainText(bytes, why);
        text = WithoutEmphasis(text);
    } else if (extension == u"html"_s || extension == u"htm"_s)
        text = ReadHtmlChecked(bytes, why);
    else if (extension == u"docx"_s)
        text = ReadDocx(bytes, why);
    else if (extension == u"odt"_s)
        text = ReadOdt(bytes, why);
    else if (extension == u"pdf"_s)
        text = ReadPdf(bytes, why);
    else
        why = u"files ending in .%1 are not read; the text check reads %2."_s.arg(
            extension, ExtensionsInWords());
    if (!why.isEmpty())
        return Refusal(name, why);
    // Whatever a format lets through, lines end in "\n" alone.
    return {NormalLineEnds(WithoutInvisibles(text)), {}};
}

DocumentText ReadDocument(const QString &path)
{
    using namespace documentreading;
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    if (!info.exists())
        return Refusal(name, u"there is no such file."_s);
    if (info.isDir())
        return Refusal(name, u"it is a folder, not a file."_s);
    const QString extension = Extension(path);
    if (!extension.isEmpty() && !DocumentExtensions().contains(extension))
        return ReadDocumentBytes({}, name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Refusal(name, info.isReadable() ? u"it cannot be opened."_s
                                               : u"you have no permission to read it."_s);
    // Devices and pipes have no size; read one byte past the limit to tell. A file is read at its
    // own size, so that no buffer of the limit's size is set up for it.
    const qint64 size = file.size();
    const QByteArray bytes = size > 0 && size <= MostFileBytes && !file.isSequential()
                                 ? file.read(size + 1)
                                 : file.read(MostFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Refusal(name, u"reading it failed (%1)."_s.arg(file.errorString()));
    if (bytes.size() > MostFileBytes)
        return Refusal(name, u"it is larger than 256 MB, too large for a manuscript."_s);
    return ReadDocumentBytes(bytes, name);
}
