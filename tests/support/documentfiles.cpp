#include "support/documentfiles.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>
#include <zlib.h>

using namespace Qt::Literals::StringLiterals;

// A ZIP archive in memory, each part deflated (or stored, as ODF wants its mimetype).
QByteArray Zip(const Parts &parts)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return {};
    for (const auto &[name, content] : parts) {
        QuaZipFile file(&zip);
        const bool stored = name == u"mimetype"_s;
        if (!file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0,
                       stored ? 0 : Z_DEFLATED, stored ? 0 : 6))
            return {};
        file.write(content);
        file.close();
    }
    zip.close();
    return bytes;
}

const QByteArray WordNamespaces =
    R"(xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" )"
    R"(xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" )"
    R"(xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape")";

// A .docx whose body is `body` and whose notes are `footnotes` (w:footnote elements).
QByteArray Docx(const QByteArray &body, const QByteArray &footnotes)
{
    const QByteArray relationships = "http://schemas.openxmlformats.org/officeDocument/2006/"
                                     "relationships/";
    return Zip(
        {{u"[Content_Types].xml"_s, R"(<?xml version="1.0"?><Types/>)"},
         {u"_rels/.rels"_s, R"(<Relationships><Relationship Id="r1" Type=")" + relationships +
                                R"(officeDocument" Target="word/document.xml"/>)"
                                R"(</Relationships>)"},
         {u"word/_rels/document.xml.rels"_s,
          R"(<Relationships><Relationship Id="r2" Type=")" + relationships +
              R"(footnotes" Target="footnotes.xml"/></Relationships>)"},
         {u"word/document.xml"_s,
          "<w:document " + WordNamespaces + "><w:body>" + body + "</w:body></w:document>"},
         {u"word/footnotes.xml"_s,
          "<w:footnotes " + WordNamespaces +
              R"(><w:footnote w:type="separator" w:id="-1"><w:p><w:r><w:t>___</w:t>)"
              "</w:r></w:p></w:footnote>" +
              footnotes + "</w:footnotes>"}});
}

const QByteArray OdfNamespaces =
    R"(xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
    R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" )"
    R"(xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" )"
    R"(xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0")";

QByteArray Odt(const QByteArray &text, const QByteArray &mimetype, const QByteArray &manifest)
{
    return Zip(
        {{u"mimetype"_s, mimetype.isEmpty() ? "application/vnd.oasis.opendocument.text" : mimetype},
         {u"content.xml"_s, "<office:document-content " + OdfNamespaces +
                                "><office:body><office:text>" + text +
                                "</office:text></office:body></office:document-content>"},
         {u"META-INF/manifest.xml"_s,
          manifest.isEmpty() ? QByteArray("<manifest:manifest/>") : manifest}});
}

QByteArray Pdf(const QList<Line> &lines)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(72);
    QPainter painter(&writer);
    int page = 0;
    for (const Line &line : lines) {
        for (; page < line.page; ++page)
            writer.newPage();
        QFont font(u"Liberation Serif"_s);
        font.setPointSizeF(line.size);
        painter.setFont(font);
        const QStringList words = line.text.split(u' ');
        if (line.width <= 0 || words.size() < 2) {
            painter.drawText(QPointF(line.x, line.y), line.text);
            continue;
        }
        // Word by word, the blanks between them widened to fill the line.
        const QFontMetricsF metrics(font, &writer);
        double letters = 0;
        for (const QString &word : words)
            letters += metrics.horizontalAdvance(word);
        const double blank = (line.width - letters) / double(words.size() - 1);
        const double space = metrics.horizontalAdvance(u' ');
        if (blank < space || blank > 2 * space) // as wide blanks as a text layer takes for gaps
            qFatal("Pdf: \"%s\" does not fit its line", qPrintable(line.text));
        double x = line.x;
        for (const QString &word : words) {
            painter.drawText(QPointF(x, line.y), word);
            x += metrics.horizontalAdvance(word) + blank;
        }
    }
    painter.end();
    return bytes;
}
