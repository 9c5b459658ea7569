#pragma once

#include <QString>
#include <QStringList>

// Reads a manuscript file into the plain text that the text check reads: plain text (UTF-8, or
// UTF-16 by its byte-order mark), Markdown, HTML, .docx, .odt and .pdf. The format is taken from
// the file's contents and its name together: a file that is not what its name says is refused.
// Paragraphs end with "\n"; a paragraph's own line breaks are kept as "\n" too.
struct DocumentText {
    QString text;
    // Empty when the file was read; otherwise one sentence that names the file and says why
    // (missing, not what its name says, encrypted, corrupt, too large when unpacked).
    QString error;
};

DocumentText ReadDocument(const QString &path);
// The same for bytes already read, such as standard input; `name` is shown in the message and
// its extension picks the format (plain text when it has none).
DocumentText ReadDocumentBytes(const QByteArray &bytes, const QString &name);
// The extensions ReadDocument takes, without dots. Here rather than beside the readers, so that
// a program that only names them (a file dialog's filter) does not link the readers' libraries.
inline QStringList DocumentExtensions()
{
    return {QStringLiteral("txt"), QStringLiteral("md"),   QStringLiteral("html"),
            QStringLiteral("htm"), QStringLiteral("docx"), QStringLiteral("odt"),
            QStringLiteral("pdf")};
}
