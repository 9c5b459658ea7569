#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_documents into fuzz/corpus/documents/: a tiny .docx and .odt
whole (first byte 0 and 1), a web page (2), and the XML of a built .docx and .odt (3 and 7), each
holding the pieces the readers treat apart: split runs, blanks, tabs, a table, a note, a text
box and a deleted change."""
import io
import pathlib
import zipfile

here = pathlib.Path(__file__).resolve().parent / "corpus" / "documents"
here.mkdir(parents=True, exist_ok=True)

W = ('xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main" '
     'xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006"')
DOCX_BODY = (
    '<w:p><w:r><w:rPr><w:i/></w:rPr><w:t>p</w:t></w:r><w:r><w:t xml:space="preserve"> = .04'
    '</w:t><w:tab/><w:br/><w:sym w:font="Symbol" w:char="F063"/></w:r><w:del><w:r><w:delText>x'
    '</w:delText></w:r></w:del><w:r><w:footnoteReference w:id="1"/></w:r></w:p><w:tbl><w:tr>'
    '<w:tc><w:p><w:r><w:t>t(38)</w:t></w:r></w:p></w:tc></w:tr></w:tbl><w:p><w:r>'
    '<mc:AlternateContent><mc:Choice><w:txbxContent><w:p><w:r><w:t>box</w:t></w:r></w:p>'
    '</w:txbxContent></mc:Choice><mc:Fallback/></mc:AlternateContent></w:r></w:p>')
FOOTNOTES = '<w:footnote w:id="1"><w:p><w:r><w:t>note</w:t></w:r></w:p></w:footnote>'
ODF = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
       'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
       'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
       'xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"')
ODT_TEXT = (
    '<text:tracked-changes><text:changed-region><text:deletion><text:p>x</text:p>'
    '</text:deletion></text:changed-region></text:tracked-changes><text:p> <text:span>p</text:span>'
    ' = .04<text:s text:c="2"/><text:tab/><text:line-break/><text:note><text:note-citation>1'
    '</text:note-citation><text:note-body><text:p>note</text:p></text:note-body></text:note>'
    '<draw:frame><draw:text-box><text:p>box</text:p></draw:text-box></draw:frame></text:p>'
    '<table:table><table:table-row><table:table-cell><text:p>t(38)</text:p></table:table-cell>'
    '</table:table-row></table:table><text:h>end</text:h>')


def archive(parts):
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w") as z:
        for name, content in parts:
            method = zipfile.ZIP_STORED if name == "mimetype" else zipfile.ZIP_DEFLATED
            z.writestr(zipfile.ZipInfo(name, (2024, 1, 1, 0, 0, 0)), content, method)
    return data.getvalue()


docx = archive([
    ("_rels/.rels", '<Relationships><Relationship Type="x/officeDocument" '
                    'Target="word/document.xml"/></Relationships>'),
    ("word/document.xml", f"<w:document {W}><w:body>{DOCX_BODY}</w:body></w:document>"),
    ("word/footnotes.xml", f"<w:footnotes {W}>{FOOTNOTES}</w:footnotes>"),
])
odt = archive([
    ("mimetype", "application/vnd.oasis.opendocument.text"),
    ("content.xml", f"<office:document-content {ODF}><office:body><office:text>{ODT_TEXT}"
                    "</office:text></office:body></office:document-content>"),
])
html = ('<html><head><style>p{}</style><script>var a="<p>";</script></head><body><p>'
        '<i>t</i>(38)&nbsp;= 2.10, &#967;<sup>2</sup> &lt; 1<br>x</p><table><tr><td>a<td>b'
        '</table><pre> a  b</pre></body></html>')

seeds = {
    "docx": b"\x00" + docx,
    "odt": b"\x01" + odt,
    "html": b"\x02" + html.encode(),
    "docx-parts": b"\x03" + DOCX_BODY.encode() + b"\x00" + FOOTNOTES.encode(),
    "odt-parts": b"\x07" + ODT_TEXT.encode(),
}
for name, content in seeds.items():
    (here / name).write_bytes(content)
