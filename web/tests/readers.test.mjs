// The page's readers of files against the desktop's: each file the test makes is read in the
// browser (the readers alone, under a strict policy) and by `kelvaron-check --text`, and both
// must give the same text, or refuse it with the same message.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { strToU8, zipSync } from 'fflate';
import { launch, openPage, root, serve } from './browser.mjs';

const native = process.env.KELVARON_CHECK || join(root, 'build', 'kelvaron-check');

const WordNamespaces = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" ' +
  'xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" ' +
  'xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape" ' +
  'xmlns:m="http://schemas.openxmlformats.org/officeDocument/2006/math"';
const OdfNamespaces = 'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" ' +
  'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" ' +
  'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" ' +
  'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"';
const Relations = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/';
const relations = (...targets) => `<Relationships>${targets.map(([type, target, external]) =>
  `<Relationship Type="${Relations}${type}" Target="${target}"${external ? ' TargetMode="External"' : ''}/>`)
  .join('')}</Relationships>`;

const bytesOf = (text) => (typeof text === 'string' ? strToU8(text) : text);
const concat = (...parts) => Uint8Array.from(parts.flatMap((part) => [...bytesOf(part)]));
function zip(parts) {
  // ODF wants its mimetype first and stored.
  return zipSync(Object.fromEntries(Object.entries(parts).map(([name, content]) =>
    [name, [bytesOf(content), { level: name === 'mimetype' ? 0 : 6 }]])));
}
const wordPart = (root, content) => `<w:${root} ${WordNamespaces}>${content}</w:${root}>`;
function docx(body, footnotes = '') {
  return zip({
    '[Content_Types].xml': '<?xml version="1.0"?><Types/>',
    '_rels/.rels': relations(['officeDocument', 'word/document.xml']),
    'word/_rels/document.xml.rels': relations(['footnotes', 'footnotes.xml']),
    'word/document.xml': wordPart('document', `<w:body>${body}</w:body>`),
    'word/footnotes.xml': wordPart('footnotes', '<w:footnote w:type="separator" w:id="-1"><w:p><w:r>' +
      `<w:t>___</w:t></w:r></w:p></w:footnote>${footnotes}`),
  });
}
const content = (text) => `<office:document-content ${OdfNamespaces}><office:body><office:text>${text}` +
  '</office:text></office:body></office:document-content>';
const manifest = (entries) => '<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:' +
  `manifest:1.0"><manifest:file-entry manifest:full-path="/"/>${entries}</manifest:manifest>`;
function odt(text, mimetype = 'application/vnd.oasis.opendocument.text', entries = manifest('')) {
  return zip({ mimetype, 'content.xml': content(text), 'META-INF/manifest.xml': entries });
}
const encrypted = '<manifest:file-entry manifest:full-path="content.xml"><manifest:encryption-data/>' +
  '</manifest:file-entry>';
// The same ZIP with fields of `part`'s entry replaced in its own header, in the directory or both.
function patched(archive, part, fields, { header = true, directory = true } = {}) {
  const bytes = Uint8Array.from(archive);
  const view = new DataView(bytes.buffer);
  const name = strToU8(part);
  const headers = [header && [0x04034b50, 30, { flags: 6, method: 8, crc: 14, size: 22 }],
    directory && [0x02014b50, 46, { flags: 8, method: 10, crc: 16, size: 24 }]].filter(Boolean);
  for (let at = 0; at + 46 < bytes.length; ++at) {
    for (const [signature, nameAt, offsets] of headers) {
      if (view.getUint32(at, true) !== signature || !name.every((c, i) => bytes[at + nameAt + i] === c)) continue;
      for (const [field, value] of Object.entries(fields)) {
        view[field === 'flags' || field === 'method' ? 'setUint16' : 'setUint32'](at + offsets[field], value, true);
      }
    }
  }
  return bytes;
}
// The text in UTF-16 after its byte-order mark.
const utf16 = (text, big) => Buffer.from(`\ufeff${text}`, 'utf16le')[big ? 'swap16' : 'valueOf']();
// A PDF of no pages behind a security dictionary (`security` holds its /O, /U and /P).
const Id = '00112233445566778899aabbccddeeff';
const securedPdf = (security) => '%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n' +
  '2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n' +
  `3 0 obj<</Filter/Standard/V 1/R 2${security}>>endobj\n` +
  `trailer<</Root 1 0 R/Size 4/Encrypt 3 0 R/ID[<${Id}><${Id}>]>>\n%%EOF\n`;
// One that asks for a password: its security dictionary matches no empty password.
const lockedPdf = securedPdf(`/O<${'a'.repeat(64)}>/U<${'a'.repeat(64)}>/P -4`);
// One that opens without a password (its /U is the empty one's, RC4 of 40 bits as revision 2
// reckons it) but does not allow its text to be copied.
function noCopyingPdf() {
  const pad = Buffer.from('28bf4e5e4e758a4164004e56fffa01082e2e00b6d0683e802f0ca9fe6453697a', 'hex');
  const owner = Buffer.alloc(32, 0x61);
  const permissions = Buffer.alloc(4);
  permissions.writeInt32LE(-4 & ~16); // all but copying
  const key = createHash('md5').update(Buffer.concat([pad, owner, permissions, Buffer.from(Id, 'hex')]))
    .digest().subarray(0, 5);
  const s = [...Array(256).keys()];
  for (let i = 0, j = 0; i < 256; ++i) (j = (j + s[i] + key[i % 5]) & 255), ([s[i], s[j]] = [s[j], s[i]]);
  let i = 0, j = 0;
  const user = pad.map((byte) => {
    (i = (i + 1) & 255), (j = (j + s[i]) & 255), ([s[i], s[j]] = [s[j], s[i]]);
    return byte ^ s[(s[i] + s[j]) & 255];
  });
  return securedPdf(`/O<${owner.toString('hex')}>/U<${user.toString('hex')}>/P ${-4 & ~16}`);
}

// Pages Chromium prints to PDF, as a word processor would set them.
const Page = (body) => '<html><head><style>@page{size:A4;margin:2.5cm}body{font:12pt serif;' +
  `margin:0;width:15cm}p{margin:0 0 1em}.body{margin:0;text-indent:1.27cm}</style></head><body>${body}</body></html>`;
const first = 'Participants in the first group read the passage twice before they answered the ' +
  'eight questions about it on a single screen, and those in the second group read it once.';
const second = 'The children were tested in their schools, in a quiet room, by one of two trained ' +
  'assistants who did not know which group a child was in, and each of them took part once.';
const third = 'The groups differed in how well they recalled the passage a week later, ' +
  't(38) = 2.10, p = .04, d = 0.66, and the difference held in both schools.';
const long = `${first} ${second} ${third}`;
const result = 'The groups differed, t(38) = 2.10, p = .04, as expected.';
const spill = 'The second paragraph goes on from the foot of the left column to the top of the ' +
  'right one, and then for a line or two more, so that the split is plain to see.';
// Lines that begin with the same words, their gaps lined up down the paragraph like a column's edge.
const alike = ['first', 'second', 'third', 'fourth', 'fifth'].map((group, i) =>
  `the ${group} group recalled ${[12, 15, 11, 17, 9][i]} of the 20 items${i < 4 ? ',' : '.'}`);
// [HTML, the text both must read or nothing where that is not simple to say, bytes put before it]
const pages = {
  'pdf: a paragraph over many lines is one': [Page(`<p>${long}</p>`), `${long}\n`],
  'pdf: some bytes of junk before its header': [Page(`<p>${first}</p>`), `${first}\n`, 'junk\n'],
  'pdf: a gap parts two paragraphs': [Page(`<p>${first}</p><p>${result}</p>`), `${first}\n${result}\n`],
  'pdf: lines that begin alike are one paragraph': [Page(`<p>${alike.join('<br>')}</p>`), `${alike.join(' ')}\n`],
  'pdf: a first-line indent starts a paragraph of double-spaced justified lines': [Page('<div style=' +
    `"text-align:justify;line-height:2"><p class="body">${long}</p><p class="body">${second}</p></div>`),
  `${long}\n${second}\n`],
  'pdf: a line parted by a wide gap is one': [Page(`<p>${result.slice(0, 35)}<span style="padding-left:` +
    `.7cm"></span>${result.slice(35)} ${second}</p>`), `${result} ${second}\n`],
  'pdf: a short last line that ends a sentence ends its paragraph':
    [Page(`<p style="margin:0">${long}</p><p>${second}</p>`), `${long}\n${second}\n`],
  'pdf: a heading in a larger font is a paragraph of its own': [Page('<h1 style="font-size:14pt;margin:0">' +
    `Results of the first study</h1><p>${first}</p>`), `Results of the first study\n${first}\n`],
  'pdf: a heading set in the middle above an indented paragraph': [Page('<h2 style="font-size:12pt;' +
    `margin:0;text-align:center">Method</h2><p class="body">${long}</p>`), `Method\n${long}\n`],
  "pdf: a line end's hyphen joined; a minus, a compound's and a name's hyphen kept": [Page('<p style=' +
    '"width:6cm">The effect was signifi-<br>cant, t(38) =<br>-2.10, in a one-<br>tailed test of the pre-' +
    '<br>registered COVID-<br>19 sample.</p>'), 'The effect was significant, t(38) = -2.10, in a ' +
    'one-tailed test of the pre-registered COVID-19 sample.\n'],
  'pdf: a result split over two lines is joined with one blank':
    [Page(`<p style="width:5.5cm">${result}</p>`), `${result}\n`],
  'pdf: superscripts, subscripts and italic letters stay in their words': [Page('<p>As before<sup>12</sup>' +
    ', <i>R</i><sup>2</sup> = .25, &#967;<sup>2</sup>(1, <i>N</i> = 90) = 4.20, <i>p</i> = .04, &#951;<sub>p' +
    '</sub><sup>2</sup> = .06, <b>sig</b>nificant.</p>'), 'As before12, R2 = .25, χ2(1, N = 90) = 4.20, ' +
    'p = .04, ηp2 = .06, significant.\n'],
  "pdf: a list item's hanging indent goes on": [Page(`<ol style="padding-left:1.5em"><li>${first}</li>` +
    '<li>The second item is short.</li></ol>'), `1. ${first}\n2. The second item is short.\n`],
  'pdf: two columns give their paragraphs in order, split where the column ends': [Page('<div style=' +
    `"columns:2;column-gap:1cm;column-fill:auto;height:3.6cm;orphans:1;widows:1"><p>${first}</p>` +
    `<p>${spill}</p></div>`)],
  'pdf: columns drawn right one first are read left one first': [Page('<div style="display:flex;' +
    `flex-direction:row-reverse;gap:1cm"><p style="flex:1">${third}</p><p style="flex:1">${first}</p></div>`),
  `${first}\n${third}\n`],
  'pdf: a paragraph ends with its page, but for a word broken at its end': [Page('<p style="margin:0">' +
    'The groups differed, t(38) =</p><p style="break-before:page;margin:0">2.10, p = .04, in a signifi-' +
    '</p><p style="break-before:page">cant way.</p>'), 'The groups differed, t(38) =\n2.10, p = .04, in ' +
    'a significant way.\n'],
  "pdf: a note in a smaller font at the page's foot": [Page(`<p>${first}<sup>1</sup></p><div style=` +
    `"height:18cm"></div><p style="font-size:9pt">1 ${result}</p>`), `${first}1\n1 ${result}\n`],
  "pdf: a table's cells read row by row": [Page('<table style="border-spacing:1cm 12pt">' + [['Group', 'M',
    'SD'], ['First', '4.10', '1.20'], ['Second', '3.20', '0.90']].map((row) => `<tr><td>${row.join('<td>')}`)
    .join('') + '</table>'), 'Group\nM\nSD\nFirst\n4.10\n1.20\nSecond\n3.20\n0.90\n'],
};

// [file name, its contents, the text both must read]
const made = {
  'txt: UTF-8, its BOM left out, Windows line ends':
    ['a.txt', '\ufefft(38) = 2.10,\r\np = .04\r\n', 't(38) = 2.10,\np = .04\n'],
  'txt: old Mac line ends; zero-width characters and soft hyphens not read':
    ['a.txt', 't(38)\u200b = 2.10,\rp\u2060 = .04, signifi\u00adcant\ufeff', 't(38) = 2.10,\np = .04, significant'],
  'txt: UTF-16LE by its BOM': ['a.txt', utf16('χ²(1) = 4.20, p = .04', false), 'χ²(1) = 4.20, p = .04'],
  'txt: UTF-16BE by its BOM': ['a.TXT', utf16('t(38) = −2.10', true), 't(38) = −2.10'],
  'txt: UTF-16 cut off in its last character': ['a.txt', utf16('p = .04', false).subarray(0, 15), 'p = .0\ufffd'],
  'txt: UTF-32LE by its BOM': ['a.txt', Uint8Array.from([0xff, 0xfe, 0, 0, 0x70, 0, 0, 0, 0x3c, 0, 0, 0]), 'p<'],
  'no extension: plain text': ['results', 'r(20) = .45', 'r(20) = .45'],
  'md: emphasis marks around a symbol go': ['a.md',
    '*t*(38) = 2.10, *p* = .04; _F_(2, 30) = 4.1, **p** < .05, *p*s < .01\n',
    't(38) = 2.10, p = .04; F(2, 30) = 4.1, p < .05, ps < .01\n'],
  'md: lone stars, lists and snake_case stay':
    ['a.md', '* item_one_two, p < .05*\n2 * 3 * 4', '* item_one_two, p < .05*\n2 * 3 * 4'],
  'md: emphasis closes after a full stop or a bracket; an underscore before a letter does not':
    ['a.md', '*n.s.*, *t*(38), _x_y and *F(2, 30)*, **p** = .04_\n', 'n.s., t(38), x_y and F(2, 30), p = .04\n'],
  'html: script, style and head not read; entities decoded': ['a.html',
    '<html><head><title>T</title><style>p{}</style></head><body><script>var t = \'</p>\';' +
    '</script><p>&chi;&sup2;(1)&nbsp;=&nbsp;4.20, p &lt; .05 &amp; &#967;<sup>2</sup></p></body></html>',
    'χ²(1)\u00a0=\u00a04.20, p < .05 & χ2\n'],
  'html: inline elements join, blocks and br break lines': ['a.htm',
    '<div>A <b>t</b>(38) =\n   2.10,<i>p</i> = .04<br>next<ul><li>one<li>two</ul><table><tr>' +
    '<td>F<td>4.1</table>tail<pre>a  b\n c</pre></div>',
    'A t(38) = 2.10,p = .04\nnext\none\ntwo\nF\n4.1\ntail\na  b\n c\n'],
  'html: soft hyphens and hidden elements not read':
    ['a.html', '<p>signifi&shy;cant<span hidden>menu</span></p>', 'significant\n'],
  'html: the mark of UTF-8 is not text': ['a.html', '\ufeff<p>p = .04</p>', 'p = .04\n'],
  'html: the mark of UTF-16BE is not text': ['a.html', utf16('<p>p = .04</p>', true), 'p = .04\n'],
  'html: the charset its <meta> names': ['a.html', concat('<meta http-equiv="Content-Type" content=' +
    '"text/html; charset=iso-8859-7"><p>', [0xf7, 0xb2], '(1) = 4.2, ', [0xe7], ' = .06</p>'), 'χ²(1) = 4.2, η = .06\n'],
  'html: unclosed markup and scripts around the paragraph, as journals serve it': ['a.html',
    '<!DOCTYPE html><html><head><script>var a = "<div><p>";</script></head><body>' + ('<div class=' +
    '"nav"><a href="#">Item</a><span><b>unclosed<i> and <table><td>cell</div><script>if (a < b) {}' +
    '</script>\n').repeat(3) + `<section><p>${result}</p>${'<div>'.repeat(30)}`,
    `Itemunclosed and\ncell\n`.repeat(3) + `${result}\n`],
  'docx: a split italic p, blanks kept by xml:space, tabs, breaks': ['a.docx', docx(
    '<w:p><w:r><w:t xml:space="preserve">t(38) = 2.10, </w:t></w:r><w:r><w:rPr><w:i/></w:rPr>' +
    '<w:t>p</w:t></w:r><w:r><w:t xml:space="preserve"> = .04</w:t><w:tab/><w:t>x</w:t><w:br/>' +
    '<w:t>y</w:t><w:t> z </w:t></w:r></w:p>'), 't(38) = 2.10, p = .04\tx\nyz\n'],
  'docx: table cells, then the footnote after the body': ['a.docx', docx(
    '<w:tbl><w:tr><w:tc><w:p><w:r><w:t>F(2, 30)</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r>' +
    '<w:t>4.10</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p><w:r><w:t>Body</w:t></w:r><w:r>' +
    '<w:footnoteReference w:id="1"/></w:r></w:p>', '<w:footnote w:id="1"><w:p><w:r>' +
    '<w:footnoteRef/></w:r><w:r><w:t xml:space="preserve"> r(20) = .45</w:t></w:r></w:p>' +
    '</w:footnote>'), 'F(2, 30)\n4.10\nBody\n r(20) = .45\n'],
  'docx: a text box after its paragraph, read once': ['a.docx', docx(
    '<w:p><w:r><w:t xml:space="preserve">Before </w:t></w:r><w:r><mc:AlternateContent>' +
    '<mc:Choice Requires="wps"><w:drawing><wps:txbx><w:txbxContent><w:p><w:r><w:t>Boxed</w:t>' +
    '</w:r></w:p></w:txbxContent></wps:txbx></w:drawing></mc:Choice><mc:Fallback><w:pict>' +
    '<w:txbxContent><w:p><w:r><w:t>Boxed</w:t></w:r></w:p></w:txbxContent></w:pict>' +
    '</mc:Fallback></mc:AlternateContent></w:r><w:r><w:t>after</w:t></w:r></w:p><w:p><w:r>' +
    '<w:t>Next</w:t></w:r></w:p>'), 'Before after\nBoxed\nNext\n'],
  'docx: tracked deletions, hidden text and field codes not read': ['a.docx', docx(
    '<w:p><w:r><w:t xml:space="preserve">p = </w:t></w:r><w:del><w:r><w:delText>.40</w:delText>' +
    '</w:r></w:del><w:ins><w:r><w:t>.04</w:t></w:r></w:ins><w:r><w:rPr><w:vanish/></w:rPr>' +
    '<w:t>hidden</w:t></w:r><w:r><w:instrText>PAGE</w:instrText></w:r></w:p><w:p><w:pPr>' +
    '<w:rPr><w:del/></w:rPr></w:pPr><w:r><w:t xml:space="preserve">joined </w:t></w:r></w:p>' +
    '<w:p><w:r><w:t>on</w:t></w:r></w:p>'), 'p = .04\njoined on\n'],
  'docx: moved text read where it went; an equation; hidden switched off; cr and ptab': ['a.docx', docx(
    '<w:p><w:moveFrom><w:r><w:t>F = 4.1</w:t></w:r></w:moveFrom><m:oMath><m:r><m:t>x = 2</m:t></m:r>' +
    '</m:oMath><w:r><w:rPr><w:vanish w:val="0"/></w:rPr><w:t xml:space="preserve">, shown</w:t><w:cr/>' +
    '<w:t>a</w:t><w:ptab/><w:t>b</w:t></w:r><w:moveTo><w:r><w:t>F = 4.1</w:t></w:r></w:moveTo></w:p>'),
  'x = 2, shown\na\tbF = 4.1\n'],
  'docx: chi from the Symbol font': ['a.docx', docx('<w:p><w:r><w:sym w:font="Symbol" w:char="F063"/>' +
    '<w:t>2(1) = 4.2, </w:t></w:r><w:r><w:rPr><w:rFonts w:ascii="Symbol"/></w:rPr><w:t>c</w:t></w:r>' +
    '<w:r><w:noBreakHyphen/><w:t>2</w:t></w:r></w:p>'), 'χ2(1) = 4.2,χ-2\n'],
  'docx: the main part where the package says; its endnotes after the body': ['a.docx', zip({
    '_rels/.rels': relations(['officeDocument', '/doc/main.xml']),
    'doc/_rels/main.xml.rels': relations(['endnotes', 'notes/end.xml'], ['footnotes', 'http://x/f.xml', true]),
    'doc/main.xml': wordPart('document', '<w:body><w:p><w:r><w:t>Main</w:t></w:r></w:p></w:body>'),
    'doc/notes/end.xml': wordPart('endnotes', '<w:endnote w:type="continuationSeparator" w:id="0"><w:p>' +
      '<w:r><w:t>___</w:t></w:r></w:p></w:endnote><w:endnote w:id="1"><w:p><w:r><w:t>Note</w:t></w:r>' +
      '</w:p></w:endnote>'),
    'word/document.xml': wordPart('document', '<w:body><w:p><w:r><w:t>Not this</w:t></w:r></w:p></w:body>'),
  }), 'Main\nNote\n'],
  "docx: Strict OOXML, its part's name in capitals": ['a.docx', zip({ 'Word/Document.XML': '<w:document ' +
    'xmlns:w="http://purl.oclc.org/ooxml/wordprocessingml/main"><w:body><w:p><w:r><w:t>Strict</w:t>' +
    '</w:r></w:p></w:body></w:document>' }), 'Strict\n'],
  'odt: a split span, counted blanks, tabs, line breaks, XML blanks run together': ['a.odt', odt(
    '<text:p>\n  t(38) = 2.10, <text:span>p</text:span> = .04<text:s text:c="3"/>x<text:tab/>y' +
    '<text:line-break/>z  \n </text:p>'), 't(38) = 2.10, p = .04   x\ty\nz\n'],
  'odt: blanks counted with blanks around the count, none, out of range or no number': ['a.odt', odt(
    '<text:p>a<text:s text:c=" 2 "/>b<text:s/>c<text:s text:c="0"/>d<text:s text:c="-4"/>e<text:s ' +
    'text:c="x"/>f<text:s text:c="9999"/>g</text:p>'), `a  b c d e f${' '.repeat(1000)}g\n`],
  'odt: table cells, a text box after its paragraph, the note after the body': ['a.odt', odt(
    '<table:table><table:table-row><table:table-cell><text:p>F</text:p></table:table-cell>' +
    '<table:table-cell><text:p>4.1</text:p></table:table-cell></table:table-row></table:table>' +
    '<text:p>Body<text:note><text:note-citation>1</text:note-citation><text:note-body><text:p>' +
    'r(20) = .45</text:p></text:note-body></text:note> text<draw:frame><draw:text-box><text:p>' +
    'Boxed</text:p></draw:text-box></draw:frame></text:p><text:h>Next</text:h>'),
  'F\n4.1\nBody text\nBoxed\nNext\nr(20) = .45\n'],
  'odt: tracked deletions and comments not read': ['a.odt', odt(
    '<text:tracked-changes><text:changed-region text:id="c1"><text:deletion><text:p>.40</text:p>' +
    '</text:deletion></text:changed-region></text:tracked-changes><text:p>p = <text:change ' +
    'text:change-id="c1"/>.04<office:annotation><text:p>check</text:p></office:annotation></text:p>'),
  'p = .04\n'],
  'odt: its manifest broken before it says anything of its content': ['a.odt',
    odt('<text:p>Read</text:p>', undefined, manifest(`<broken${encrypted}`)), 'Read\n'],
  "odt: lists, links and an index's entries; its templates not read": ['a.odt', odt('<text:list>' +
    '<text:list-item><text:p>One <text:a>link</text:a><text:soft-page-break/> on</text:p></text:list-item>' +
    '</text:list><text:table-of-content><text:table-of-content-source><text:index-title-template>T' +
    '</text:index-title-template></text:table-of-content-source><text:index-body><text:p>Entry</text:p>' +
    '</text:index-body></text:table-of-content>'), 'One link on\nEntry\n'],
};

// The desktop's reasons, each worded to follow "NAME could not be read: ".
const Damaged = 'it is damaged: its ZIP archive is incomplete or broken.';
const TooLarge = 'it would unpack to more than 64 MB of text, far more than any manuscript holds.';
const Protected = 'it is protected by a password; save a copy without one.';
const NotDocx = 'it is not a Word document (.docx).';
const NotOdt = 'it is not an OpenDocument text (.odt).';
const NotXml = (part) => `it is damaged: its part ${part} is not well-formed XML.`;
const plainDocx = docx('<w:p><w:r><w:t>t(38) = 2.10</w:t></w:r></w:p>');
const plainOdt = odt('<text:p>t(38) = 2.10</text:p>');
const Body = 'word/document.xml';
// Nine entities, each ten of the one before: the last is a billion.
const laughs = `<!DOCTYPE w:document [<!ENTITY l0 "lol">${Array.from({ length: 9 }, (_, i) =>
  `<!ENTITY l${i + 1} "${`&l${i};`.repeat(10)}">`).join('')}]>${wordPart('document', '&l9;')}`;
// [file name, its contents, why both refuse it]
const hostile = {
  'unknown extension': ['results.rtf', '{\\rtf1}', 'files ending in .rtf are not read; the text check ' +
    'reads .txt, .md, .html, .htm, .docx, .odt and .pdf.'],
  'txt: a .docx by another name': ['results.txt', plainDocx, 'it is not plain text.'],
  'txt: NUL bytes': ['results.txt', 'p = .04\0\0', 'it is not plain text.'],
  'txt: Latin-1': ['results.txt', Uint8Array.from([0x70, 0x20, 0xb3, 0x20, 0x2e, 0x30, 0x35]),
    'its text is neither UTF-8 nor UTF-16; save it as UTF-8 and try again.'],
  'html: NUL bytes': ['results.html', '<p>p = .04\0</p>', 'it is not an HTML page (.html).'],
  'docx: notes where its body should be': ['results.docx', zip({ [Body]: wordPart('footnotes', '') }), NotDocx],
  'docx: plain text by another name': ['results.docx', 't(38) = 2.10', NotDocx],
  'docx: an .odt by another name': ['results.docx', plainOdt, NotDocx],
  "docx: a password's or an old Word file's container": ['results.docx', Uint8Array.from([0xd0, 0xcf, 0x11,
    0xe0, 0xa1, 0xb1, 0x1a, 0xe1, ...new Array(504).fill(0)]), 'it is protected by a password or is an ' +
    'older Word document (.doc); save a copy as .docx without a password.'],
  'docx: truncated': ['results.docx', plainDocx.subarray(0, plainDocx.length >> 1), Damaged],
  'docx: an archive with nothing in it': ['results.docx', zipSync({}), Damaged],
  'docx: the part its package names is missing': ['results.docx', zip({ '_rels/.rels':
    relations(['officeDocument', 'word/gone.xml']), [Body]: wordPart('document', '') }), NotDocx],
  'docx: its body encrypted in the archive': ['results.docx', patched(plainDocx, Body, { flags: 1 }), Protected],
  'docx: its body packed by an unknown method': ['results.docx', patched(plainDocx, Body, { method: 12 }), Damaged],
  "docx: its body's checksum wrong": ['results.docx', patched(plainDocx, Body, { crc: 0x12345678 }), Damaged],
  'docx: its body declares 4 GB unpacked': ['results.docx', patched(plainDocx, Body, { size: 0xffffff00 }), TooLarge],
  'docx: its body unpacks to more than its headers declare':
    ['results.docx', patched(plainDocx, Body, { size: 20 }), Damaged],
  "docx: its body's own header and the directory disagree on its checksum":
    ['results.docx', patched(plainDocx, Body, { crc: 0x12345678 }, { directory: false }), Damaged],
  'docx: its body declares more than 64 MB, packed no tighter than text': ['results.docx', patched(
    zipSync({ [Body]: [new Uint8Array(340 << 10).fill(120), { level: 0 }] }), Body, { size: 65 << 20 }), TooLarge],
  'docx: 30 MB of blanks packed a thousandfold':
    ['results.docx', zip({ [Body]: new Uint8Array(30 << 20).fill(32) }), TooLarge],
  'docx: entities that expand a billionfold': ['results.docx', zip({ [Body]: laughs }), NotXml(Body)],
  "docx: an entity that reads this computer's files": ['results.docx', zip({ [Body]: '<!DOCTYPE w:document' +
    ` [<!ENTITY x SYSTEM "file:///etc/hostname">]>${wordPart('document', '&x;')}` }), NotXml(Body)],
  'docx: broken XML': ['results.docx', docx('<w:p><w:r><w:t>t(38)</w:p>'), NotXml(Body)],
  'odt: a spreadsheet by another name':
    ['results.odt', odt('', 'application/vnd.oasis.opendocument.spreadsheet'), NotOdt],
  "odt: a spreadsheet's content, with no mimetype to say so": ['results.odt', zip({ 'content.xml':
    `<office:document-content ${OdfNamespaces}><office:body><office:spreadsheet/></office:body>` +
    '</office:document-content>' }), NotOdt],
  'odt: a .docx by another name': ['results.odt', plainDocx, NotOdt],
  'odt: encrypted': ['results.odt', odt('', undefined, manifest(encrypted)), Protected],
  'odt: its manifest broken after it says its content is encrypted':
    ['results.odt', odt('', undefined, manifest(`${encrypted}<broken`)), Protected],
  'odt: entities declared in its content': ['results.odt', zip({ 'content.xml': '<!DOCTYPE x [<!ENTITY a ' +
    `"b">]>${content('<text:p>&a;</text:p>')}` }), NotXml('content.xml')],
  'odt: broken XML': ['results.odt', odt('<text:p>t(38)</text:h>'), NotXml('content.xml')],
  'pdf: HTML by another name': ['results.pdf', '<html>', 'it is not a PDF document (.pdf).'],
  'pdf: only its header': ['results.pdf', '%PDF-1.7\ngarbage', 'it is damaged: its PDF structure cannot be read.'],
  'pdf: locked by a password': ['results.pdf', lockedPdf, Protected],
  'pdf: its author does not allow copying':
    ['results.pdf', noCopyingPdf(), 'its author does not allow its text to be copied.'],
};

let browser;
let server;
let reader;
let folder;
before(async () => {
  assert.ok(existsSync(native), `no ${native}: build the program first`);
  folder = mkdtempSync(join(tmpdir(), 'kelvaron-readers-'));
  browser = await launch();
  server = await serve(join(root, 'web'));
  reader = await openPage(browser, `${server.url}tests/reader-page.html`);
  await reader.page.waitForFunction(() => typeof self.readDocument === 'function');
  // The pages to print, and a page with nothing but a picture: a PDF with no text layer.
  const printer = await browser.newPage();
  const print = async (html) => (await printer.setContent(html), printer.pdf({ format: 'A4' }));
  for (const [name, [html, expected, before = '']] of Object.entries(pages)) {
    made[name] = ['a.pdf', concat(before, await print(html)), expected];
  }
  hostile['pdf: no text layer'] = ['results.pdf', await print('<div style="width:5cm;height:5cm;' +
    'background:#333"></div>'), 'it has no text to read; a scanned page holds only a picture of its text.'];
  hostile['html: a PDF by another name'] =
    ['results.html', await print('<p>x</p>'), 'it is not an HTML page (.html).'];
  await printer.close();
});
after(async () => {
  await server?.close();
  await browser?.close();
  if (folder) rmSync(folder, { recursive: true, force: true });
});

// What each side makes of the file: its text, or its refusal's message.
async function bothRead(name, content) {
  const bytes = Buffer.from(bytesOf(content));
  writeFileSync(join(folder, name), bytes);
  const desktop = spawnSync(native, ['--text', name], { cwd: folder, encoding: 'utf8' });
  const browserSide = await reader.page.evaluate(([name, encoded]) => {
    const bytes = Uint8Array.from(atob(encoded), (c) => c.charCodeAt(0));
    return self.readDocument(name, bytes).then((text) => ({ text }), (error) => ({ error: error.message }));
  }, [name, bytes.toString('base64')]);
  return { desktop, browserSide };
}

describe('each format reads as the desktop reads it', () => {
  for (const name of [...Object.keys(made), ...Object.keys(pages)]) {
    test(name, async () => {
      const [file, content, expected] = made[name];
      const { desktop, browserSide } = await bothRead(file, content);
      assert.equal(desktop.status, 0, desktop.stderr);
      assert.equal(browserSide.error, undefined);
      assert.equal(browserSide.text, desktop.stdout);
      if (expected !== undefined) assert.equal(browserSide.text, expected);
    });
  }
});

describe('what the desktop refuses, the page refuses with the same message', () => {
  for (const name of [...Object.keys(hostile), 'pdf: no text layer', 'html: a PDF by another name']) {
    test(name, async () => {
      const [file, content, why] = hostile[name];
      const { desktop, browserSide } = await bothRead(file, content);
      assert.notEqual(desktop.status, 0, `the desktop read ${file}`);
      assert.equal(browserSide.text, undefined, `the page read ${file}`);
      assert.equal(browserSide.error, desktop.stderr.trim());
      assert.equal(browserSide.error, `${file} could not be read: ${why}`);
    });
  }
});

// Last, once every file has been read: none of them, hostile or not, made the readers fetch
// anything beyond their own scripts or fail on the page. The browser reports each broken XML part
// it parses, since its parser's error element carries a style the policy blocks: that is expected.
test('no file made the readers reach out or fail', () => {
  assert.deepEqual(reader.requests.filter((url) => !url.startsWith(server.url)), []);
  assert.deepEqual(reader.errors.filter((error) => !error.startsWith('Applying inline style')), []);
});
