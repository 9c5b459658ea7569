// The two word-processor formats: a ZIP archive (QuaZip) of XML parts (QXmlStreamReader).
#include "textcheck/documentformats.h"

#include <QBuffer>
#include <QDir>
#include <QList>
#include <QXmlStreamReader>
#include <optional>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace documentreading {
namespace {

// A part that claims to unpack to more than this many times its packed size, and to more than a
// few megabytes, is built to fill memory: text XML packs ten to twenty times.
constexpr qint64 MostPackingRatio = 200;
constexpr qint64 SmallestSuspectPart = 8 * 1024 * 1024;

const QString Damaged = u"it is damaged: its ZIP archive is incomplete or broken."_s;
const QString TooLarge =
    u"it would unpack to more than 64 MB of text, far more than any manuscript holds."_s;
const QString Protected = u"it is protected by a password; save a copy without one."_s;

// A buffer that refuses a seek past its end quietly: QuaZip seeks where a damaged archive's
// directory points, and QBuffer would warn on standard error each time.
class QuietBuffer : public QBuffer {
public:
    using QBuffer::QBuffer;
    bool seek(qint64 position) override
    {
        return position >= 0 && position <= size() && QBuffer::seek(position);
    }
};

// The parts of one archive, read whole within one budget of unpacked bytes for all of them.
class Archive {
public:
    explicit Archive(const QByteArray &bytes) : data(bytes), buffer(&data), zip(&buffer) {}

    bool open() { return zip.open(QuaZip::mdUnzip); }

    bool has(const QString &part) { return zip.setCurrentFile(part, QuaZip::csInsensitive); }

    // The part's bytes, or nothing with `why` set (also when the part is missing).
    std::optional<QByteArray> read(const QString &part, QString &why)
    {
        if (!has(part)) {
            why = Damaged;
            return std::nullopt;
        }
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            why = Damaged;
            return std::nullopt;
        }
        if (info.isEncrypted()) {
            why = Protected;
            return std::nullopt;
        }
        if (info.uncompressedSize > quint64(budget) ||
            (info.uncompressedSize > quint64(SmallestSuspectPart) &&
             info.uncompressedSize / qMax<quint64>(info.compressedSize, 1) > MostPackingRatio)) {
            why = TooLarge;
            return std::nullopt;
        }
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly)) {
            why = Damaged;
            return std::nullopt;
        }
        // The declared size may lie: what is unpacked is counted as it comes.
        const qint64 declared = qint64(info.uncompressedSize);
        QByteArray bytes;
        bytes.reserve(qMin<qint64>(declared, 1024 * 1024));
        char chunk[64 * 1024];
        for (;;) {
            const qint64 got = file.read(chunk, sizeof chunk);
            if (got < 0) {
                why = Damaged;
                return std::nullopt;
            }
            if (got == 0)
                break;
            if (bytes.size() + got > declared) {
                why = Damaged;
                return std::nullopt;
            }
            bytes.append(chunk, got);
        }
        file.close();
        if (file.getZipError() != 0 || bytes.size() != declared) {
            why = Damaged;
            return std::nullopt;
        }
        budget -= bytes.size();
        return bytes;
    }

private:
    QByteArray data;
    QuietBuffer buffer;
    QuaZip zip;
    qint64 budget = MostUnpackedBytes;
};

// An attribute by its local name, whatever its prefix.
QString AttributeOf(const QXmlStreamReader &xml, QStringView localName)
{
    for (const QXmlStreamAttribute &attribute : xml.attributes())
        if (attribute.name() == localName)
            return attribute.value().toString();
    return {};
}

QString XmlDamaged(const QString &part)
{
    return u"it is damaged: its part %1 is not well-formed XML."_s.arg(part);
}

// Builds the text paragraph by paragraph. A paragraph that opens inside another (a text box
// anchored in it) is kept until the outer one ends and follows it, so that no sentence is cut in
// two; a note's paragraphs go to the notes, which follow the body.
class Paragraphs {
public:
    void start(bool inNote)
    {
        open.append({{}, {}, inNote, true, false});
        if (open.size() == 1 && !carried.isEmpty()) {
            open.last().text = carried;
            open.last().atBlank = false;
            carried.clear();
        }
    }
    bool isOpen() const { return !open.isEmpty(); }

    void append(QStringView text)
    {
        if (open.isEmpty() || text.isEmpty())
            return;
        open.last().text += text;
        open.last().atBlank = false;
        open.last().endsCollapsed = false;
    }

    // Blanks, tabs and line ends in the XML run together into one blank; none at the start.
    void appendCollapsing(QStringView text)
    {
        if (open.isEmpty())
            return;
        Open &paragraph = open.last();
        for (const QChar c : text) {
            if (c == u' ' || c == u'\t' || c == u'\n' || c == u'\r') {
                if (!paragraph.atBlank) {
                    paragraph.text += u' ';
                    paragraph.atBlank = paragraph.endsCollapsed = true;
                }
            } else {
                paragraph.text += c;
                paragraph.atBlank = paragraph.endsCollapsed = false;
            }
        }
    }

    // The paragraph's own end mark was deleted in a tracked change: it runs on into the next.
    void joinWithNext()
    {
        if (!open.isEmpty())
            open.last().joinsNext = true;
    }

    void end()
    {
        if (open.isEmpty())
            return;
        Open paragraph = open.takeLast();
        if (paragraph.endsCollapsed)
            paragraph.text.chop(1);
        if (paragraph.joinsNext && open.isEmpty() && paragraph.deferred.isEmpty()) {
            carried = paragraph.text;
            return;
        }
        const QString lines = paragraph.text + u'\n' + paragraph.deferred;
        if (paragraph.inNote && (open.isEmpty() || !open.last().inNote))
            notes += lines;
        else if (!open.isEmpty())
            open.last().deferred += lines;
        else
            body += lines;
    }

    QString finished()
    {
        while (!open.isEmpty())
            end();
        if (!carried.isEmpty())
            body += std::exchange(carried, {}) + u'\n';
        return body + notes;
    }

private:
    struct Open {
        QString text;
        QString deferred;
        bool inNote;
        bool atBlank;
        bool endsCollapsed;
        bool joinsNext = false;
    };
    QList<Open> open;
    QString carried;
    QString body;
    QString notes;
};

// ---- .docx ----------------------------------------------------------------------------------

bool IsWordNamespace(QStringView uri)
{
    return uri == u"http://schemas.openxmlformats.org/wordprocessingml/2006/main" ||
           uri == u"http://purl.oclc.org/ooxml/wordprocessingml/main";
}
bool IsMathNamespace(QStringView uri)
{
    return uri == u"http://schemas.openxmlformats.org/officeDocument/2006/math" ||
           uri == u"http://purl.oclc.org/ooxml/officeDocument/math";
}

// Text in the Symbol font, as Word's Insert Symbol writes it: "c" there is a χ.
QChar FromSymbolFont(QChar c)
{
    char16_t code = c.unicode();
    if (code >= 0xF000 && code <= 0xF0FF)
        code -= 0xF000;
    static const QString upper = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ"_s;
    static const QString lower = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ"_s;
    if (code >= u'A' && code <= u'Z')
        return upper.at(code - u'A');
    if (code >= u'a' && code <= u'z')
        return lower.at(code - u'a');
    switch (code) {
    case 0x2D:
        return QChar(0x2212);
    case 0xA3:
        return QChar(0x2264);
    case 0xB3:
        return QChar(0x2265);
    case 0xB4:
        return QChar(0x00D7);
    case 0xB1:
        return QChar(0x00B1);
    case 0xB9:
        return QChar(0x2260);
    case 0xBB:
        return QChar(0x2248);
    default:
        return code < 0x100 ? QChar(code) : c;
    }
}

bool IsSymbolFont(const QString &font)
{
    return font.compare(u"Symbol"_s, Qt::CaseInsensitive) == 0;
}

bool IsOn(const QString &value)
{
    return value.isEmpty() || !(value == u"0"_s || value == u"false"_s || value == u"off"_s);
}

// One part of the document (its body, or its footnotes or endnotes) into `paragraphs`. Returns
// false with `why` set when the part is not well-formed or not what it should be.
bool ReadWordPart(const QByteArray &bytes, const QString &part, QStringView root, bool notes,
                  Paragraphs &paragraphs, QString &why)
{
    QXmlStreamReader xml(bytes);
    struct Element {
        QString name;
        bool word;
    };
    QList<Element> stack;
    const auto parentIs = [&stack](QStringView name, qsizetype up = 1) {
        return stack.size() >= up && stack.at(stack.size() - up).word &&
               stack.at(stack.size() - up).name == name;
    };
    bool hidden = false, symbol = false; // of the current run
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            why = XmlDamaged(part);
            return false;
        }
        if (token == QXmlStreamReader::EndElement) {
            if (!stack.isEmpty()) {
                if (stack.last().word && stack.last().name == u"p")
                    paragraphs.end();
                stack.removeLast();
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        const bool word = IsWordNamespace(xml.namespaceUri());
        if (stack.isEmpty() && (!word || name != root)) {
            why = u"it is not a Word document (.docx)."_s;
            return false;
        }
        if (xml.namespaceUri() == u"http://schemas.openxmlformats.org/markup-compatibility/2006" &&
            name == u"Fallback") {
            // The same content again for older readers: a text box would be read twice.
            xml.skipCurrentElement();
            continue;
        }
        const bool math = IsMathNamespace(xml.namespaceUri());
        if ((word || math) && name == u"t" && !hidden) {
            const bool preserve = AttributeOf(xml, u"space") == u"preserve";
            QString text = xml.readElementText(QXmlStreamReader::SkipChildElements);
            if (!preserve)
                text = text.trimmed();
            text.replace(u'\n', u' ').replace(u'\r', u' ');
            if (symbol)
                for (QChar &c : text)
                    c = FromSymbolFont(c);
            paragraphs.append(text);
            continue;
        }
        if (!word) {
            stack.append({name.toString(), false});
            continue;
        }
        if (name == u"delText" || name == u"instrText" || name == u"delInstrText" ||
            ((name == u"del" || name == u"moveFrom") && !parentIs(u"rPr"))) {
            xml.skipCurrentElement();
            continue;
        }
        if ((name == u"footnote" || name == u"endnote") && !AttributeOf(xml, u"type").isEmpty() &&
            AttributeOf(xml, u"type") != u"normal") {
            xml.skipCurrentElement(); // the separator lines above the notes
            continue;
        }
        if (name == u"p") {
            paragraphs.start(notes);
        } else if (name == u"r") {
            hidden = symbol = false;
        } else if (name == u"del" && parentIs(u"rPr") && parentIs(u"pPr", 2)) {
            paragraphs.joinWithNext();
        } else if (parentIs(u"rPr") && parentIs(u"r", 2)) {
            if (name == u"vanish")
                hidden = IsOn(AttributeOf(xml, u"val"));
            else if (name == u"rFonts")
                symbol = IsSymbolFont(AttributeOf(xml, u"ascii"));
        } else if (parentIs(u"r") && !hidden) {
            if (name == u"tab" || name == u"ptab")
                paragraphs.append(u"\t");
            else if (name == u"br" || name == u"cr")
                paragraphs.append(u"\n");
            else if (name == u"noBreakHyphen")
                paragraphs.append(u"-"); // typed to keep a minus with its figure
            else if (name == u"sym") {
                bool ok = false;
                const uint code = AttributeOf(xml, u"char").toUInt(&ok, 16);
                if (ok && code > 0 && code <= 0xFFFF && !QChar::isSurrogate(code))
                    paragraphs.append(QString(IsSymbolFont(AttributeOf(xml, u"font"))
                                                  ? FromSymbolFont(QChar(char16_t(code)))
                                                  : QChar(char16_t(code))));
            }
        }
        stack.append({name.toString(), true});
    }
    if (xml.hasError()) {
        why = XmlDamaged(part);
        return false;
    }
    return true;
}

// The parts that the relationships part `rels` names by a type ending in `type`, as paths in
// the archive.
QStringList Related(const QByteArray &rels, const QString &folder, QStringView type)
{
    QStringList targets;
    QXmlStreamReader xml(rels);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::DTD)
            return {};
        if (!xml.isStartElement() || xml.name() != u"Relationship" ||
            !AttributeOf(xml, u"Type").endsWith(type) ||
            AttributeOf(xml, u"TargetMode") == u"External")
            continue;
        const QString target = AttributeOf(xml, u"Target");
        const QString path = QDir::cleanPath(target.startsWith(u'/') ? target.mid(1)
                                             : folder.isEmpty()      ? target
                                                                     : folder + u'/' + target);
        if (!path.startsWith(u"../"_s) && !target.isEmpty())
            targets << (path.startsWith(u"./"_s) ? path.mid(2) : path);
    }
    return xml.hasError() ? QStringList() : targets;
}

QString InFolder(const QString &folder, const QString &name)
{
    return folder.isEmpty() ? name : folder + u'/' + name;
}

bool IsZip(const QByteArray &bytes)
{
    return bytes.startsWith("PK\x03\x04") || bytes.startsWith("PK\x05\x06");
}

} // namespace

QString ReadDocx(const QByteArray &bytes, QString &why)
{
    if (bytes.startsWith("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1")) {
        // Word keeps a document with a password in its older container format.
        why = u"it is protected by a password or is an older Word document (.doc); save a copy "
              u"as .docx without a password."_s;
        return {};
    }
    if (!IsZip(bytes)) {
        why = u"it is not a Word document (.docx)."_s;
        return {};
    }
    Archive archive(bytes);
    if (!archive.open()) {
        why = Damaged;
        return {};
    }
    QString main = u"word/document.xml"_s;
    if (archive.has(u"_rels/.rels"_s)) {
        const std::optional<QByteArray> rels = archive.read(u"_rels/.rels"_s, why);
        if (!rels)
            return {};
        const QStringList targets = Related(*rels, {}, u"/officeDocument");
        if (!targets.isEmpty())
            main = targets.first();
    }
    if (!archive.has(main)) {
        why = u"it is not a Word document (.docx)."_s;
        return {};
    }
    const QString folder = main.contains(u'/') ? main.left(main.lastIndexOf(u'/')) : QString();
    const QString fileName = main.mid(main.lastIndexOf(u'/') + 1);
    QStringList footnotes{InFolder(folder, u"footnotes.xml"_s)};
    QStringList endnotes{InFolder(folder, u"endnotes.xml"_s)};
    const QString mainRels = InFolder(folder, u"_rels/"_s + fileName + u".rels"_s);
    if (archive.has(mainRels)) {
        const std::optional<QByteArray> rels = archive.read(mainRels, why);
        if (!rels)
            return {};
        footnotes = Related(*rels, folder, u"/footnotes");
        endnotes = Related(*rels, folder, u"/endnotes");
    }

    Paragraphs paragraphs;
    const std::optional<QByteArray> document = archive.read(main, why);
    if (!document || !ReadWordPart(*document, main, u"document", false, paragraphs, why))
        return {};
    const std::pair<QStringList, QString> notes[] = {{footnotes, u"footnotes"_s},
                                                     {endnotes, u"endnotes"_s}};
    for (const auto &[parts, root] : notes)
        for (const QString &part : parts) {
            if (!archive.has(part))
                continue;
            const std::optional<QByteArray> xml = archive.read(part, why);
            if (!xml || !ReadWordPart(*xml, part, root, true, paragraphs, why))
                return {};
        }
    return paragraphs.finished();
}

// ---- .odt -----------------------------------------------------------------------------------

namespace {

const QString OdfText = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0"_s;
const QString OdfOffice = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0"_s;
const QString NotOdt = u"it is not an OpenDocument text (.odt)."_s;

// Whether the manifest says that content.xml is encrypted.
bool ContentEncrypted(const QByteArray &manifest)
{
    QXmlStreamReader xml(manifest);
    bool inContentEntry = false;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.tokenType() == QXmlStreamReader::DTD)
            return false;
        if (xml.isStartElement() && xml.name() == u"file-entry")
            inContentEntry = AttributeOf(xml, u"full-path") == u"content.xml";
        else if (xml.isStartElement() && xml.name() == u"encryption-data" && inContentEntry)
            return true;
    }
    return false;
}

bool ReadOdfContent(const QByteArray &bytes, Paragraphs &paragraphs, QString &why)
{
    QXmlStreamReader xml(bytes);
    // Each open element, and whether character data in it is the paragraph's text.
    struct Element {
        QString name;
        bool inParagraph;
        bool note;
    };
    QList<Element> stack;
    int notes = 0;
    bool sawText = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::DTD) {
            why = XmlDamaged(u"content.xml"_s);
            return false;
        }
        if (token == QXmlStreamReader::Characters) {
            if (!stack.isEmpty() && stack.last().inParagraph)
                paragraphs.appendCollapsing(xml.text());
            continue;
        }
        if (token == QXmlStreamReader::EndElement) {
            if (!stack.isEmpty()) {
                const Element closed = stack.takeLast();
                if (closed.name == u"p" || closed.name == u"h")
                    paragraphs.end();
                if (closed.note)
                    --notes;
            }
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        const bool text = xml.namespaceUri() == OdfText;
        const bool office = xml.namespaceUri() == OdfOffice;
        if (stack.isEmpty() && (!office || name != u"document-content")) {
            why = NotOdt;
            return false;
        }
        if (office && name == u"text")
            sawText = true;
        // Deleted text of tracked changes, comments, a note's number (the reader's own), an
        // index's templates, and pictures' titles and descriptions are not the document's text.
        if ((text && (name == u"tracked-changes" || name == u"note-citation" ||
                      name.endsWith(u"-source"))) ||
            (office && (name == u"annotation" || name == u"forms")) ||
            ((name == u"title" || name == u"desc") && !text && !office)) {
            xml.skipCurrentElement();
            continue;
        }
        const bool parentInParagraph = !stack.isEmpty() && stack.last().inParagraph;
        if (text && (name == u"p" || name == u"h")) {
            paragraphs.start(notes > 0);
            stack.append({name.toString(), true, false});
            continue;
        }
        if (text && parentInParagraph) {
            if (name == u"s") {
                // A run of blanks kept as typed; the count is bounded by what a page can show.
                bool ok = false;
                const int count = AttributeOf(xml, u"c").toInt(&ok);
                paragraphs.append(QString(ok ? qBound(1, count, 1000) : 1, u' '));
            } else if (name == u"tab") {
                paragraphs.append(u"\t");
            } else if (name == u"line-break") {
                paragraphs.append(u"\n");
            }
        }
        const bool note = text && name == u"note";
        if (note)
            ++notes;
        stack.append({name.toString(), text && parentInParagraph && !note, note});
    }
    if (xml.hasError()) {
        why = XmlDamaged(u"content.xml"_s);
        return false;
    }
    if (!sawText) {
        why = NotOdt;
        return false;
    }
    return true;
}

} // namespace

QString ReadOdt(const QByteArray &bytes, QString &why)
{
    if (!IsZip(bytes)) {
        why = NotOdt;
        return {};
    }
    Archive archive(bytes);
    if (!archive.open()) {
        why = Damaged;
        return {};
    }
    if (archive.has(u"mimetype"_s)) {
        const std::optional<QByteArray> type = archive.read(u"mimetype"_s, why);
        if (!type)
            return {};
        if (type->trimmed() != "application/vnd.oasis.opendocument.text") {
            why = NotOdt;
            return {};
        }
    }
    if (!archive.has(u"content.xml"_s)) {
        why = NotOdt;
        return {};
    }
    if (archive.has(u"META-INF/manifest.xml"_s)) {
        const std::optional<QByteArray> manifest = archive.read(u"META-INF/manifest.xml"_s, why);
        if (!manifest)
            return {};
        if (ContentEncrypted(*manifest)) {
            why = Protected;
            return {};
        }
    }
    const std::optional<QByteArray> content = archive.read(u"content.xml"_s, why);
    Paragraphs paragraphs;
    if (!content || !ReadOdfContent(*content, paragraphs, why))
        return {};
    return paragraphs.finished();
}

} // namespace documentreading
