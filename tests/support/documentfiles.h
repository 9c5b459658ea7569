#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Word-processor documents and PDFs made by the tests themselves, in memory.

using Parts = QList<std::pair<QString, QByteArray>>;

// A ZIP archive, each part deflated (or stored, as ODF wants its mimetype).
QByteArray Zip(const Parts &parts);

extern const QByteArray WordNamespaces;
// A .docx whose body is `body` and whose notes are `footnotes` (w:footnote elements).
QByteArray Docx(const QByteArray &body, const QByteArray &footnotes = {});

extern const QByteArray OdfNamespaces;
// An .odt whose text is `text`, with another mimetype or manifest where given.
QByteArray Odt(const QByteArray &text, const QByteArray &mimetype = {},
               const QByteArray &manifest = {});

// A PDF: each line drawn at its place (in points from its page's top left, the baseline's left
// end), in Liberation Serif of `size` points; where `width` is given, justified to it.
struct Line {
    double x, y;
    QString text;
    double size = 11;
    double width = 0;
    int page = 0; // counted from 0, the lines in the order of their pages
};
QByteArray Pdf(const QList<Line> &lines);
