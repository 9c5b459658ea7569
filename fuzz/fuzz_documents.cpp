// The file readers of the text check under arbitrary bytes.
// Input: one byte that picks the reader (bits 0 and 1: 0 the bytes as a .docx, 1 as an .odt,
// 2 as an HTML page, 3 an archive built here around the XML that follows), and for a built
// archive its kind (bit 2: .odt, else .docx); then the bytes. A built archive's parts are
// separated by NUL: for a .docx the body's XML and the footnotes' XML, each wrapped in its root
// element; for an .odt the office:text's XML and the manifest. So the XML walkers are reached
// past the ZIP layer, whose checksums a mutated archive seldom keeps.
// Properties: a file is either read or refused with one message naming it; read text holds no
// carriage return and none of the invisible characters, and ends each paragraph with "\n".
#include "fuzzcheck.h"
#include "textcheck/documentreader.h"

#include <QBuffer>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

using namespace Qt::Literals::StringLiterals;

namespace {
Tally tally{"documents"};

QByteArray Zip(const QList<std::pair<QString, QByteArray>> &parts)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    for (const auto &[name, content] : parts) {
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)))
            return {};
        file.write(content);
        file.close();
    }
    zip.close();
    return bytes;
}

QByteArray BuiltDocx(const QList<QByteArray> &xml)
{
    const QByteArray w =
        R"( xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main")"
        R"( xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006")"
        R"( xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math")";
    return Zip(
        {{u"word/document.xml"_s,
          "<w:document" + w + "><w:body>" + xml.value(0) + "</w:body></w:document>"},
         {u"word/footnotes.xml"_s, "<w:footnotes" + w + ">" + xml.value(1) + "</w:footnotes>"}});
}

QByteArray BuiltOdt(const QList<QByteArray> &xml)
{
    const QByteArray ns = R"( xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0")"
                          R"( xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0")"
                          R"( xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0")"
                          R"( xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0")";
    return Zip({{u"mimetype"_s, "application/vnd.oasis.opendocument.text"},
                {u"content.xml"_s, "<office:document-content" + ns + "><office:body><office:text>" +
                                       xml.value(0) +
                                       "</office:text></office:body></office:document-content>"},
                {u"META-INF/manifest.xml"_s, xml.value(1)}});
}

void Check(const QByteArray &bytes, const QString &name)
{
    ++tally.tried;
    const DocumentText read = ReadDocumentBytes(bytes, name);
    if (!read.error.isEmpty()) {
        FUZZ_CHECK(read.text.isEmpty(), read.error);
        FUZZ_CHECK(read.error.startsWith(name + u" could not be read: "_s), read.error);
        FUZZ_CHECK(read.error.endsWith(u'.'), read.error);
        return;
    }
    ++tally.passed;
    const QString &text = read.text;
    FUZZ_CHECK(text.isEmpty() || text.endsWith(u'\n'), text);
    for (const char16_t invisible : {u'\r', u'\u00AD', u'\u200B', u'\u2060', u'\uFEFF'})
        FUZZ_CHECK(!text.contains(QChar(invisible)), text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const int choice = data[0];
    const QByteArray rest(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (choice & 3) {
    case 0:
        Check(rest, u"fuzz.docx"_s);
        break;
    case 1:
        Check(rest, u"fuzz.odt"_s);
        break;
    case 2:
        Check(rest, u"fuzz.html"_s);
        break;
    default: {
        const QList<QByteArray> parts = rest.split('\0');
        if (choice & 4)
            Check(BuiltOdt(parts), u"fuzz.odt"_s);
        else
            Check(BuiltDocx(parts), u"fuzz.docx"_s);
        break;
    }
    }
    return 0;
}
