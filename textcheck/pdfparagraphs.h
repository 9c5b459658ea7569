#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace documentreading {

// One word of a PDF page as its text layer holds it: the box in points from the page's top left.
struct PdfWord {
    QString text;
    QRectF box;
    bool spaceAfter = false;
    bool endsLine = false; // the last word of its line
};

// Appends a page's words, in the reading order, to the text of the pages before as paragraphs:
// each paragraph's lines joined into one line, each paragraph ended by "\n". A PDF keeps no
// paragraphs, only lines placed on the page; a paragraph starts after a larger gap, at a first
// line's indent, after a short line that ends a sentence, where the font size changes, at
// another column and on another page, unless a word broken at the line end goes on.
void AppendPdfPage(QString &text, const QList<PdfWord> &words);

} // namespace documentreading
