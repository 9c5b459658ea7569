#pragma once

#include <QString>

// Where every test window writes its result: the folder that holds the executable, then the
// separator (always added, so a program in "/" writes "//result.html"), then "result.html".
// Where that folder cannot be written by the user (a system-wide install), the user's own data
// folder for the program takes its place, created when missing.
QString ResultFilePath();

// Stores the text as UTF-16 little-endian: FF FE when byteOrderMark is set, then the text's code
// units exactly as they are, nothing after them (2 + 2n bytes for n code units).
// The file is replaced atomically: on any failure the previous file stays as it was, no partial
// file is left, and the reason is put in errorText. Returns true when the new file is in place.
bool WriteUnicodeFile(const QString &path, const QString &text, bool byteOrderMark,
                      QString *errorText = nullptr);
