// The page's readers of files against the desktop's: each file the test makes is read in the
// browser (the readers alone, under a strict policy) and by `kelvaron-check --text`, and both
// must give the same text, or refuse it with the same message.
import { after, before, describe, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { strToU8, zipSync } from 'fflate';
import { launch, openPage, root, serve } from './browser.mjs';

const native = process.env.KELVARON_CHECK || join(root, 'build', 'kelvaron-check');

const WordNamespaces = 'xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" ' +
  'xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" ' +
  'xmlns:wps="http://schemas.microsoft.com/office/word/2010/wordprocessingShape"';
const OdfNamespaces = 'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" ' +
  'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" ' +
  'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" ' +
  'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"';
const Relations = 'http://schemas.openxmlformats.org/officeDocument/2006/relationships/';

const bytesOf = (text) => (typeof text === 'string' ? strToU8(text) : text);
function zip(parts) {
  // ODF wants its mimetype first and stored.
  return zipSync(Object.fromEntries(Object.entries(parts).map(([name, content]) =>
    [name, [bytesOf(content), { level: name === 'mimetype' ? 0 : 6 }]])));
}
function docx(body, footnotes = '') {
  return zip({
    '[Content_Types].xml': '<?xml version="1.0"?><Types/>',
    '_rels/.rels': `<Relationships><Relationship Id="r1" Type="${Relations}officeDocument" ` +
      'Target="word/document.xml"/></Relationships>',
    'word/_rels/document.xml.rels': `<Relationships><Relationship Id="r2" Type="${Relations}` +
      'footnotes" Target="footnotes.xml"/></Relationships>',
    'word/document.xml': `<w:document ${WordNamespaces}><w:body>${body}</w:body></w:document>`,
    'word/footnotes.xml': `<w:footnotes ${WordNamespaces}><w:footnote w:type="separator" ` +
      `w:id="-1"><w:p><w:r><w:t>___</w:t></w:r></w:p></w:footnote>${footnotes}</w:footnotes>`,
  });
}
function odt(text, mimetype = 'application/vnd.oasis.opendocument.text', manifest = '<manifest:manifest/>') {
  return zip({
    mimetype,
    'content.xml': `<office:document-content ${OdfNamespaces}><office:body><office:text>${text}` +
      '</office:text></office:body></office:document-content>',
    'META-INF/manifest.xml': manifest,
  });
}
// The same ZIP with the unpacked size its directory declares for `part` replaced.
function declaring(archive, part, size) {
  const bytes = Uint8Array.from(archive);
  const view = new DataView(bytes.buffer);
  const name = strToU8(part);
  for (let at = 0; at + 46 < bytes.length; ++at) {
    if (view.getUint32(at, true) !== 0x02014b50) continue;
    if (name.every((c, i) => bytes[at + 46 + i] === c)) view.setUint32(at + 24, size, true);
  }
  return bytes;
}
const utf16 = (text, big) => {
  const out = [big ? 0xfe : 0xff, big ? 0xff : 0xfe];
  for (const unit of text.split('').map((c) => c.charCodeAt(0))) {
    out.push(...(big ? [unit >> 8, unit & 255] : [unit & 255, unit >> 8]));
  }
  return Uint8Array.from(out);
};
// A PDF that asks for a password: its security dictionary matches no empty password.
const filler = 'a'.repeat(64);
const lockedPdf = '%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n' +
  '2 0 obj<</Type/Pages/Kids[]/Count 0>>endobj\n' +
  `3 0 obj<</Filter/Standard/V 1/R 2/O<${filler}>/U<${filler}>/P -4>>endobj\n` +
  'trailer<</Root 1 0 R/Size 4/Encrypt 3 0 R/ID[<00112233445566778899aabbccddeeff>' +
  '<00112233445566778899aabbccddeeff>]>>\n%%EOF\n';

// Pages Chromium prints to PDF, as a word processor would set them.
const Page = (body, style = '') => '<html><head><style>body{font:12pt serif;margin:0;width:' +
  `15cm}p{margin:0 0 1em}${style}</style></head><body>${body}</body></html>`;
const sentence = 'Participants in the first group read the passage twice before they answered ' +
  'the eight questions about it on a single screen, and those in the second group read it once';
const pages = {
  'pdf: a paragraph over several lines is one': Page(`<p>${sentence}, t(38) = 2.10, p = .04.</p>`),
  'pdf: a gap parts two paragraphs': Page(`<p>${sentence}.</p><p>The second, F(2, 30) = 4.10, ` +
    'p = .03, was larger.</p>'),
  'pdf: a heading in a larger font is a paragraph of its own': Page('<h1 style="font-size:20pt">' +
    `Results</h1><p>${sentence}.</p>`),
  'pdf: a result split over two lines is joined with one blank': Page('<p style="width:9.2cm">' +
    'The groups differed in how well they recalled it, t(38) = 2.10, p = .04.</p>'),
  "pdf: a line end's hyphen joined, a compound's kept": Page('<p>The difference was signif-<br>' +
    'icant in the one-<br>tailed test of the pre-<br>registered hypothesis, t(38) = 2.10, p = .02.</p>'),
  'pdf: two columns give their paragraphs in order': Page(`<div style="columns:2;column-gap:1cm">` +
    `<p>${sentence}.</p><p>${sentence} again, r(20) = .45, p = .04.</p></div>`),
};

const made = {
  'txt: UTF-8, its BOM left out, Windows line ends':
    ['a.txt', '\ufefft(38) = 2.10,\r\np = .04\r\n', 't(38) = 2.10,\np = .04\n'],
  'txt: UTF-16LE by its BOM': ['a.txt', utf16('χ²(1) = 4.20, p = .04', false), 'χ²(1) = 4.20, p = .04'],
  'txt: UTF-16BE by its BOM': ['a.TXT', utf16('t(38) = −2.10', true), 't(38) = −2.10'],
  'md: emphasis marks around a symbol go': ['a.md',
    '*t*(38) = 2.10, *p* = .04; _F_(2, 30) = 4.1, **p** < .05, *p*s < .01\n',
    't(38) = 2.10, p = .04; F(2, 30) = 4.1, p < .05, ps < .01\n'],
  'md: lone stars, lists and snake_case stay':
    ['a.md', '* item_one_two, p < .05*\n2 * 3 * 4', '* item_one_two, p < .05*\n2 * 3 * 4'],
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
  'odt: a split span, counted blanks, tabs, line breaks, XML blanks run together': ['a.odt', odt(
    '<text:p>\n  t(38) = 2.10, <text:span>p</text:span> = .04<text:s text:c="3"/>x<text:tab/>y' +
    '<text:line-break/>z  \n </text:p>'), 't(38) = 2.10, p = .04   x\ty\nz\n'],
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
};

const plainDocx = docx('<w:p><w:r><w:t>t(38) = 2.10</w:t></w:r></w:p>');
const plainOdt = odt('<text:p>t(38) = 2.10</text:p>');
const hostile = {
  'unknown extension': ['results.rtf', '{\\rtf1}'],
  'docx: plain text by another name': ['results.docx', 't(38) = 2.10'],
  'docx: an .odt by another name': ['results.docx', plainOdt],
  "docx: a password's or an old Word file's container":
    ['results.docx', Uint8Array.from([0xd0, 0xcf, 0x11, 0xe0, 0xa1, 0xb1, 0x1a, 0xe1, ...new Array(504).fill(0)])],
  'docx: truncated': ['results.docx', plainDocx.subarray(0, plainDocx.length >> 1)],
  'docx: its body declares 4 GB unpacked': ['results.docx', declaring(plainDocx, 'word/document.xml', 0xffffff00)],
  'docx: its body unpacks to more than it declares': ['results.docx', declaring(plainDocx, 'word/document.xml', 20)],
  'docx: 30 MB of blanks packed a thousandfold': ['results.docx', zip({ 'word/document.xml': new Uint8Array(30 << 20).fill(32) })],
  'docx: entities that expand a billionfold': ['results.docx', zip({ 'word/document.xml':
    '<!DOCTYPE w:document [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]>' +
    `<w:document ${WordNamespaces}>&b;</w:document>` })],
  'docx: broken XML': ['results.docx', docx('<w:p><w:r><w:t>t(38)</w:p>')],
  'odt: a spreadsheet by another name': ['results.odt', odt('', 'application/vnd.oasis.opendocument.spreadsheet')],
  'odt: a .docx by another name': ['results.odt', plainDocx],
  'odt: encrypted': ['results.odt', odt('', undefined, '<manifest:manifest xmlns:manifest=' +
    '"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0"><manifest:file-entry manifest:full-path=' +
    '"content.xml"><manifest:encryption-data/></manifest:file-entry></manifest:manifest>')],
  'pdf: HTML by another name': ['results.pdf', '<html>'],
  'pdf: only its header': ['results.pdf', '%PDF-1.7\ngarbage'],
  'pdf: locked by a password': ['results.pdf', lockedPdf],
  'txt: a .docx by another name': ['results.txt', plainDocx],
  'txt: Latin-1': ['results.txt', Uint8Array.from([0x70, 0x20, 0xb3, 0x20, 0x2e, 0x30, 0x35])],
};

let browser;
let server;
let page;
let folder;
before(async () => {
  assert.ok(existsSync(native), `no ${native}: build the program first`);
  folder = mkdtempSync(join(tmpdir(), 'kelvaron-readers-'));
  browser = await launch();
  server = await serve(join(root, 'web'));
  ({ page } = await openPage(browser, `${server.url}tests/reader-page.html`));
  await page.waitForFunction(() => typeof self.readDocument === 'function');
  // The pages to print, and a page with nothing but a picture: a PDF with no text layer.
  const printer = await browser.newPage();
  for (const [name, html] of Object.entries(pages)) {
    await printer.setContent(html);
    made[name] = ['a.pdf', await printer.pdf({ format: 'A4' })];
  }
  await printer.setContent('<div style="width:5cm;height:5cm;background:#333"></div>');
  hostile['pdf: no text layer'] = ['results.pdf', await printer.pdf({ format: 'A4' })];
  await printer.setContent('<p>x</p>');
  hostile['html: a PDF by another name'] = ['results.html', await printer.pdf({ format: 'A4' })];
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
  const browserSide = await page.evaluate(([name, encoded]) => {
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
      const [file, content] = hostile[name];
      const { desktop, browserSide } = await bothRead(file, content);
      assert.notEqual(desktop.status, 0, `the desktop read ${file}`);
      assert.equal(browserSide.text, undefined, `the page read ${file}`);
      assert.equal(browserSide.error, desktop.stderr.trim());
    });
  }
});
