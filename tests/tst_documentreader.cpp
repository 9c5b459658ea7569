#include "support/documentfiles.h"
#include "textcheck/documentreader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {
// A PDF that asks for a password: its security dictionary matches no empty password.
QByteArray LockedPdf()
{
    const QByteArray filler(64, 'a');
    return "%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n"
           "2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n"
           "3 0 obj<</Filter/Standard/V 1/R 2/O<" +
           filler + ">/U<" + filler +
           ">/P -4>>endobj\n"
           "trailer<</Root 1 0 R/Size 4/Encrypt 3 0 R/ID[<00112233445566778899aabbccddeeff>"
           "<00112233445566778899aabbccddeeff>]>>\n%%EOF\n";
}

// The ZIP with the unpacked size its directory declares for `part` replaced.
QByteArray WithDeclaredSize(QByteArray zip, const QByteArray &part, quint32 size)
{
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4))
        if (zip.mid(at + 46, part.size()) == part)
            for (int i = 0; i < 4; ++i)
                zip[at + 24 + i] = char(size >> (8 * i));
    return zip;
}

QByteArray Utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + low : QByteArray{&low, 1} + high;
    }
    return bytes;
}

enum class LastLine { Short, Full };

// A paragraph as journals set it: its lines 14 points apart from the baseline `y` on, justified
// between x and x + width, its first line indented by `indent`, its last line ending where its
// words do unless it is to be as full as the others.
QList<Line> Justified(double x, double y, double width, const QStringList &lines,
                      LastLine last = LastLine::Short, double indent = 0)
{
    QList<Line> placed;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const double left = x + (i == 0 ? indent : 0);
        const bool full = i + 1 < lines.size() || last == LastLine::Full;
        placed.append({left, y + 14.0 * i, lines.at(i), 11, full ? x + width - left : 0});
    }
    return placed;
}
} // namespace

class TestDocumentReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsEachFormatsText_data();
    void readsEachFormatsText();
    void readsAFullJournalPage();
    void refusesWhatItCannotRead_data();
    void refusesWhatItCannotRead();

private:
    QTemporaryDir folder;
};

void TestDocumentReader::readsEachFormatsText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("txt: UTF-8, its BOM left out, Windows line ends")
        << u"a.txt"_s << QByteArray("\xEF\xBB\xBFt(38) = 2.10,\r\np = .04\r\n")
        << u"t(38) = 2.10,\np = .04\n"_s;
    QTest::newRow("txt: UTF-16LE by its BOM")
        << u"a.txt"_s << Utf16(u"χ²(1) = 4.20, p = .04"_s, false) << u"χ²(1) = 4.20, p = .04"_s;
    QTest::newRow("txt: UTF-16BE by its BOM")
        << u"a.TXT"_s << Utf16(u"t(38) = −2.10"_s, true) << u"t(38) = −2.10"_s;
    QTest::newRow("no extension: plain text")
        << u"-"_s << QByteArray("r(20) = .45") << u"r(20) = .45"_s;
    QTest::newRow("md: emphasis marks around a symbol go")
        << u"a.md"_s
        << QByteArray("*t*(38) = 2.10, *p* = .04; _F_(2, 30) = 4.1, **p** < .05, *p*s < .01\n")
        << u"t(38) = 2.10, p = .04; F(2, 30) = 4.1, p < .05, ps < .01\n"_s;
    QTest::newRow("md: lone stars, lists and snake_case stay")
        << u"a.md"_s << QByteArray("* item_one_two, p < .05*\n2 * 3 * 4")
        << u"* item_one_two, p < .05*\n2 * 3 * 4"_s;

    QTest::newRow("html: script, style and head not read; entities decoded")
        << u"a.html"_s
        << QByteArray("<html><head><title>T</title><style>p{}</style></head><body><script>var "
                      "t = '</p>';</script><p>&chi;&sup2;(1)&nbsp;=&nbsp;4.20, p &lt; .05 &amp; "
                      "&#967;<sup>2</sup></p></body></html>")
        << u"χ²(1)\u00A0=\u00A04.20, p < .05 & χ2\n"_s;
    QTest::newRow("html: inline elements join, blocks and br break lines")
        << u"a.htm"_s
        << QByteArray("<div>A <b>t</b>(38) =\n   2.10,<i>p</i> = .04<br>next<ul><li>one<li>two"
                      "</ul><table><tr><td>F<td>4.1</table>tail<pre>a  b\n c</pre></div>")
        << u"A t(38) = 2.10,p = .04\nnext\none\ntwo\nF\n4.1\ntail\na  b\n c\n"_s;
    QTest::newRow("html: soft hyphens and hidden elements not read")
        << u"a.html"_s << QByteArray("<p>signifi&shy;cant<span hidden>menu</span></p>")
        << u"significant\n"_s;

    const QByteArray italicP = R"(<w:r><w:rPr><w:i/></w:rPr><w:t>p</w:t></w:r>)";
    QTest::newRow("docx: a split italic p, blanks kept by xml:space, tabs, breaks")
        << u"a.docx"_s
        << Docx(R"(<w:p><w:r><w:t xml:space="preserve">t(38) = 2.10, </w:t></w:r>)" + italicP +
                R"(<w:r><w:t xml:space="preserve"> = .04</w:t><w:tab/><w:t>x</w:t><w:br/>)"
                R"(<w:t>y</w:t><w:t> z </w:t></w:r></w:p>)")
        << u"t(38) = 2.10, p = .04\tx\nyz\n"_s;
    QTest::newRow("docx: table cells, then the footnote after the body")
        << u"a.docx"_s
        << Docx(R"(<w:tbl><w:tr><w:tc><w:p><w:r><w:t>F(2, 30)</w:t></w:r></w:p></w:tc><w:tc>)"
                R"(<w:p><w:r><w:t>4.10</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p><w:r>)"
                R"(<w:t>Body</w:t></w:r><w:r><w:footnoteReference w:id="1"/></w:r></w:p>)",
                R"(<w:footnote w:id="1"><w:p><w:r><w:footnoteRef/></w:r><w:r>)"
                R"(<w:t xml:space="preserve"> r(20) = .45</w:t></w:r></w:p></w:footnote>)")
        << u"F(2, 30)\n4.10\nBody\n r(20) = .45\n"_s;
    QTest::newRow("docx: a text box after its paragraph, read once")
        << u"a.docx"_s
        << Docx(R"(<w:p><w:r><w:t xml:space="preserve">Before </w:t></w:r><w:r>)"
                R"(<mc:AlternateContent><mc:Choice Requires="wps"><w:drawing><wps:txbx>)"
                R"(<w:txbxContent><w:p><w:r><w:t>Boxed</w:t></w:r></w:p></w:txbxContent>)"
                R"(</wps:txbx></w:drawing></mc:Choice><mc:Fallback><w:pict><w:txbxContent>)"
                R"(<w:p><w:r><w:t>Boxed</w:t></w:r></w:p></w:txbxContent></w:pict>)"
                R"(</mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>after</w:t></w:r>)"
                R"(</w:p><w:p><w:r><w:t>Next</w:t></w:r></w:p>)")
        << u"Before after\nBoxed\nNext\n"_s;
    QTest::newRow("docx: tracked deletions, hidden text and field codes not read")
        << u"a.docx"_s
        << Docx(R"(<w:p><w:r><w:t xml:space="preserve">p = </w:t></w:r><w:del><w:r>)"
                R"(<w:delText>.40</w:delText></w:r></w:del><w:ins><w:r><w:t>.04</w:t></w:r>)"
                R"(</w:ins><w:r><w:rPr><w:vanish/></w:rPr><w:t>hidden</w:t></w:r><w:r>)"
                R"(<w:instrText>PAGE</w:instrText></w:r></w:p><w:p><w:pPr><w:rPr><w:del/>)"
                R"(</w:rPr></w:pPr><w:r><w:t xml:space="preserve">joined </w:t></w:r></w:p>)"
                R"(<w:p><w:r><w:t>on</w:t></w:r></w:p>)")
        << u"p = .04\njoined on\n"_s;
    QTest::newRow("docx: chi from the Symbol font")
        << u"a.docx"_s
        << Docx(R"(<w:p><w:r><w:sym w:font="Symbol" w:char="F063"/><w:t>2(1) = 4.2, </w:t>)"
                R"(</w:r><w:r><w:rPr><w:rFonts w:ascii="Symbol"/></w:rPr><w:t>c</w:t></w:r>)"
                R"(<w:r><w:noBreakHyphen/><w:t>2</w:t></w:r></w:p>)")
        << u"χ2(1) = 4.2,χ-2\n"_s;

    QTest::newRow("odt: a split span, counted blanks, tabs, line breaks, XML blanks run together")
        << u"a.odt"_s
        << Odt("<text:p>\n  t(38) = 2.10, <text:span>p</text:span> = .04<text:s text:c=\"3\"/>x"
               "<text:tab/>y<text:line-break/>z  \n </text:p>")
        << u"t(38) = 2.10, p = .04   x\ty\nz\n"_s;
    QTest::newRow("odt: table cells, a text box after its paragraph, the note after the body")
        << u"a.odt"_s
        << Odt("<table:table><table:table-row><table:table-cell><text:p>F</text:p>"
               "</table:table-cell><table:table-cell><text:p>4.1</text:p></table:table-cell>"
               "</table:table-row></table:table><text:p>Body<text:note><text:note-citation>1"
               "</text:note-citation><text:note-body><text:p>r(20) = .45</text:p>"
               "</text:note-body></text:note> text<draw:frame><draw:text-box><text:p>Boxed"
               "</text:p></draw:text-box></draw:frame></text:p><text:h>Next</text:h>")
        << u"F\n4.1\nBody text\nBoxed\nNext\nr(20) = .45\n"_s;
    QTest::newRow("odt: tracked deletions and comments not read")
        << u"a.odt"_s
        << Odt("<text:tracked-changes><text:changed-region text:id=\"c1\"><text:deletion>"
               "<text:p>.40</text:p></text:deletion></text:changed-region></text:tracked-changes>"
               "<text:p>p = <text:change text:change-id=\"c1\"/>.04<office:annotation><text:p>"
               "check</text:p></office:annotation></text:p>")
        << u"p = .04\n"_s;

    // Lines of a PDF page rebuilt into paragraphs, one to a line.
    const QStringList first = {u"Participants in the first group read the passage twice before"_s,
                               u"they answered the eight questions about it on a single screen."_s,
                               u"Those in the second group read it once."_s};
    QTest::newRow("pdf: a paragraph over three lines, a full line's sentence end inside, is one")
        << u"a.pdf"_s << Pdf(Justified(72, 72, 270, first)) << first.join(u' ') + u'\n';
    const QStringList before = {u"The first paragraph tells how the children were chosen and"_s,
                                u"how their parents were asked to take part in the study too."_s};
    const QStringList after = {u"The next paragraph tells what the children then had to do"_s,
                               u"and how long it took them."_s};
    const QString twoParagraphs = before.join(u' ') + u'\n' + after.join(u' ') + u'\n';
    QTest::newRow("pdf: a larger gap parts two paragraphs")
        << u"a.pdf"_s
        << Pdf(Justified(72, 72, 270, before, LastLine::Full) + Justified(72, 110, 270, after))
        << twoParagraphs;
    QTest::newRow("pdf: a first-line indent starts a paragraph")
        << u"a.pdf"_s
        << Pdf(Justified(72, 72, 270, before, LastLine::Full) +
               Justified(72, 100, 270, after, LastLine::Short, 18))
        << twoParagraphs;
    const QStringList shortEnd = {before.at(0), u"how their parents took part."_s};
    QTest::newRow("pdf: a short last line that ends a sentence ends its paragraph")
        << u"a.pdf"_s << Pdf(Justified(72, 72, 270, shortEnd) + Justified(72, 100, 270, after))
        << shortEnd.join(u' ') + u'\n' + after.join(u' ') + u'\n';
    QTest::newRow("pdf: a heading in a larger font is a paragraph of its own")
        << u"a.pdf"_s
        << Pdf(QList<Line>{{72, 72, u"Results of the first study"_s, 14}} +
               Justified(72, 86, 270, after))
        << u"Results of the first study\n"_s + after.join(u' ') + u'\n';
    QTest::newRow("pdf: a heading set in the middle above an indented paragraph")
        << u"a.pdf"_s
        << Pdf(QList<Line>{{260, 72, u"Method"_s}} +
               Justified(72, 86, 270, after, LastLine::Short, 18))
        << u"Method\n"_s + after.join(u' ') + u'\n';
    // 147.6 points wide, then a gap of seven blanks that the text layer parts the line at.
    QTest::newRow("pdf: a line parted by a wide gap is one")
        << u"a.pdf"_s
        << Pdf({{72, 72, u"The groups differed, t(38) = 2.10,"_s},
                {240, 72, u"p = .04, as expected, and"_s},
                {72, 86, u"the effect was large, and it was seen in all of the groups alike."_s}})
        << u"The groups differed, t(38) = 2.10, p = .04, as expected, and the effect was large, "
           u"and it was seen in all of the groups alike.\n"_s;

    // Two columns of a journal's page, drawn line by line across both; the reading order is the
    // text layer's own.
    const QStringList left1 = {u"The left column begins with a paragraph set in three"_s,
                               u"lines, each of them justified to the full width of"_s,
                               u"the column."_s},
                      left2 = {u"Its second paragraph is indented, and it goes on"_s,
                               u"over two lines, and then it runs on into the next"_s},
                      right1 = {u"column, where it ends after a line and a half of"_s,
                                u"text at the top of the page."_s},
                      right2 = {u"And a last one ends the page."_s};
    const QList<Line> leftLines = Justified(54, 72, 230, left1) +
                                  Justified(54, 114, 230, left2, LastLine::Full, 12),
                      rightLines = Justified(306, 72, 230, right1) +
                                   Justified(306, 100, 230, right2, LastLine::Short, 12);
    QList<Line> columns;
    for (qsizetype i = 0; i < std::max(leftLines.size(), rightLines.size()); ++i)
        columns << leftLines.mid(i, 1) << rightLines.mid(i, 1);
    QTest::newRow("pdf: two columns give their paragraphs in order, split where the column ends")
        << u"a.pdf"_s << Pdf(columns)
        << QStringList{left1.join(u' '), left2.join(u' '), right1.join(u' '), right2.join(u' '), {}}
               .join(u'\n');
    const QStringList item = {u"1. The first item of the list is long enough that it will need a"_s,
                              u"second line, which is indented under its first word."_s};
    QTest::newRow("pdf: a list item's hanging indent goes on")
        << u"a.pdf"_s
        << Pdf(Justified(72, 72, 270, item, LastLine::Short, -12) +
               QList<Line>{{60, 100, u"2. The second item is short."_s}})
        << item.join(u' ') + u"\n2. The second item is short.\n"_s;

    const QList<Line> hyphenated = {{72, 72, u"The effect was signifi-"_s},
                                    {72, 86, u"cant, t(38) ="_s},
                                    {72, 100, u"-2.10, in a one-"_s},
                                    {72, 114, u"tailed test of the COVID-"_s},
                                    {72, 128, u"19 sample."_s}};
    QTest::newRow("pdf: a line end's hyphen joined, a minus and a compound's hyphen kept")
        << u"a.pdf"_s << Pdf(hyphenated)
        << u"The effect was significant, t(38) = -2.10, in a one-tailed test of the COVID-19 "
           u"sample.\n"_s;
    QTest::newRow("pdf: a result split over two lines joined with one blank")
        << u"a.pdf"_s
        << Pdf({{72, 72, u"The groups differed, t(38) ="_s},
                {72, 86, u"2.10, p = .04, as expected."_s}})
        << u"The groups differed, t(38) = 2.10, p = .04, as expected.\n"_s;
    QTest::newRow("pdf: a paragraph ends with its page, but for a word broken at its end")
        << u"a.pdf"_s
        << Pdf({{72, 72, u"The groups differed, t(38) ="_s},
                {72, 72, u"2.10, p = .04, in a signifi-"_s, 11, 0, 1},
                {72, 72, u"cant way."_s, 11, 0, 2}})
        << u"The groups differed, t(38) =\n2.10, p = .04, in a significant way.\n"_s;
}

void TestDocumentReader::readsEachFormatsText()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    const DocumentText fromBytes = ReadDocumentBytes(bytes, name);
    QCOMPARE(fromBytes.error, QString());
    QCOMPARE(fromBytes.text, text);

    const QString path = folder.filePath(name == u"-"_s ? u"noextension"_s : name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const DocumentText fromFile = ReadDocument(path);
    QCOMPARE(fromFile.error, QString());
    QCOMPARE(fromFile.text, text);
}

// A page as journals serve it: megabytes of menus, scripts and unclosed markup around the one
// paragraph that matters.
void TestDocumentReader::readsAFullJournalPage()
{
    QByteArray page = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><script>"
                      "var a = \"<div><p>\";</script></head><body>";
    for (int i = 0; i < 20000; ++i)
        page += "<div class=\"nav\"><a href=\"#\">Item " + QByteArray::number(i) +
                "</a><span><b>unclosed<i> and <table><td>cell</div><script>if (a < b) {}"
                "</script><style>.x{}</style>\n";
    page += "<section><p>The groups differed, <i>t</i>(38) = 2.10, <i>p</i> = .04.</p>";
    for (int i = 0; i < 3000; ++i)
        page += "<div>";
    QElapsedTimer timer;
    timer.start();
    const DocumentText read = ReadDocumentBytes(page, u"article.html"_s);
    QVERIFY2(timer.elapsed() < 5000, QByteArray::number(timer.elapsed()));
    QCOMPARE(read.error, QString());
    QVERIFY(read.text.contains(u"\nThe groups differed, t(38) = 2.10, p = .04.\n"_s));
    QVERIFY(!read.text.contains(u"if (a"_s));
    QVERIFY(!read.text.contains(u".x{}"_s));
}

void TestDocumentReader::refusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes"); // none: the file is not made
    QTest::addColumn<QString>("why");

    const QByteArray docx = Docx("<w:p><w:r><w:t>t(38) = 2.10</w:t></w:r></w:p>");
    const QByteArray odt = Odt("<text:p>t(38) = 2.10</text:p>");
    const QString protectedText = u"it is protected by a password; save a copy without one."_s;
    const QString damagedZip = u"it is damaged: its ZIP archive is incomplete or broken."_s;
    const QString tooLarge =
        u"it would unpack to more than 64 MB of text, far more than any manuscript holds."_s;
    QTest::newRow("missing") << u"gone.docx"_s << QByteArray() << u"there is no such file."_s;
    QTest::newRow("unknown extension")
        << u"results.rtf"_s << QByteArray("{\\rtf1}")
        << u"files ending in .rtf are not read; the text check reads .txt, .md, .html, .htm, "
           u".docx, .odt and .pdf."_s;
    QTest::newRow("docx: plain text by another name")
        << u"results.docx"_s << QByteArray("t(38) = 2.10")
        << u"it is not a Word document (.docx)."_s;
    QTest::newRow("docx: an .odt by another name")
        << u"results.docx"_s << odt << u"it is not a Word document (.docx)."_s;
    QTest::newRow("docx: a password's or an old Word file's container")
        << u"results.docx"_s << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + QByteArray(504, 0))
        << u"it is protected by a password or is an older Word document (.doc); save a copy as "
           u".docx without a password."_s;
    QTest::newRow("docx: truncated")
        << u"results.docx"_s << docx.left(docx.size() / 2) << damagedZip;
    QTest::newRow("docx: its body declares 4 GB unpacked")
        << u"results.docx"_s << WithDeclaredSize(docx, "word/document.xml", 0xFFFFFF00) << tooLarge;
    QTest::newRow("docx: its body unpacks to more than it declares")
        << u"results.docx"_s << WithDeclaredSize(docx, "word/document.xml", 20) << damagedZip;
    QTest::newRow("docx: 30 MB of blanks packed a thousandfold")
        << u"results.docx"_s << Zip({{u"word/document.xml"_s, QByteArray(30 << 20, ' ')}})
        << tooLarge;
    QTest::newRow("docx: entities that expand a billionfold")
        << u"results.docx"_s
        << Zip({{u"word/document.xml"_s, "<!DOCTYPE w:document [<!ENTITY a \"aaaaaaaaaa\">"
                                         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">]>"
                                         "<w:document " +
                                             WordNamespaces + ">&b;</w:document>"}})
        << u"it is damaged: its part word/document.xml is not well-formed XML."_s;
    QTest::newRow("docx: broken XML")
        << u"results.docx"_s << Docx("<w:p><w:r><w:t>t(38)</w:p>")
        << u"it is damaged: its part word/document.xml is not well-formed XML."_s;
    QTest::newRow("odt: a spreadsheet by another name")
        << u"results.odt"_s << Odt({}, "application/vnd.oasis.opendocument.spreadsheet")
        << u"it is not an OpenDocument text (.odt)."_s;
    QTest::newRow("odt: a .docx by another name")
        << u"results.odt"_s << docx << u"it is not an OpenDocument text (.odt)."_s;
    QTest::newRow("odt: encrypted")
        << u"results.odt"_s
        << Odt({}, {},
               "<manifest:manifest xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:"
               "manifest:1.0\"><manifest:file-entry manifest:full-path=\"content.xml\">"
               "<manifest:encryption-data/></manifest:file-entry></manifest:manifest>")
        << protectedText;
    QTest::newRow("pdf: HTML by another name")
        << u"results.pdf"_s << QByteArray("<html>") << u"it is not a PDF document (.pdf)."_s;
    QTest::newRow("pdf: only its header") << u"results.pdf"_s << QByteArray("%PDF-1.7\ngarbage")
                                          << u"it is damaged: its PDF structure cannot be read."_s;
    QTest::newRow("pdf: locked by a password") << u"results.pdf"_s << LockedPdf() << protectedText;
    QTest::newRow("pdf: no text layer")
        << u"results.pdf"_s << Pdf({})
        << u"it has no text to read; a scanned page holds only a picture of its text."_s;
    QTest::newRow("html: a PDF by another name")
        << u"results.html"_s << Pdf({{72, 72, u"x"_s}}) << u"it is not an HTML page (.html)."_s;
    QTest::newRow("txt: a .docx by another name")
        << u"results.txt"_s << docx << u"it is not plain text."_s;
    QTest::newRow("txt: Latin-1")
        << u"results.txt"_s << QByteArray("p \xB3 .05")
        << u"its text is neither UTF-8 nor UTF-16; save it as UTF-8 and try again."_s;
}

void TestDocumentReader::refusesWhatItCannotRead()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    const QString path = folder.filePath(name);
    QFile::remove(path);
    if (!bytes.isNull()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden);

    const DocumentText read = ReadDocument(path);
    QCOMPARE(read.error, path + u" could not be read: "_s + why);
    QCOMPARE(read.text, QString());
    if (!bytes.isNull())
        QCOMPARE(ReadDocumentBytes(bytes, name).error, name + u" could not be read: "_s + why);
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
}

QTEST_MAIN(TestDocumentReader)
#include "tst_documentreader.moc"
