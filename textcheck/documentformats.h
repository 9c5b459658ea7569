#pragma once

#include <QByteArray>
#include <QString>

// The readers behind ReadDocumentBytes, one per format. Each returns the text, paragraphs ended
// by "\n", or leaves it empty and sets `why` to the reason, worded to follow "NAME could not be
// read: " ("it is not a Word document (.docx)"). Inside their own namespace, because each folder
// of the library is compiled as one unit.
namespace documentreading {

// The most that the XML parts of one .docx or .odt may unpack to, together.
inline constexpr qint64 MostUnpackedBytes = 64 * 1024 * 1024;

QString ReadDocx(const QByteArray &bytes, QString &why);
QString ReadOdt(const QByteArray &bytes, QString &why);
QString ReadPdf(const QByteArray &bytes, QString &why);
QString ReadHtml(const QByteArray &bytes, QString &why);

// Leaves out the characters that show nothing and never part words (soft hyphens, zero-width
// spaces, word joiners, byte-order marks inside the text), so that "t(38)\u200B= 2.10" reads as
// it looks.
QString WithoutInvisibles(QString text);

} // namespace documentreading
