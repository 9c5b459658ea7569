#pragma once

#include "textcheck/textcheck.h"

#include <QByteArray>
#include <QList>
#include <QString>

// What kelvaron-check found in one file, and the two ways it prints it.
struct FileCheck {
    QString file;  // as the user named it; "-" for standard input
    QString error; // empty when the file was read
    TextCheck check;
};

// "FILE:LINE:COLUMN: VERDICT: QUOTE: explanation", the form editors and build tools jump from;
// the explanation and its colon are left out when the result has none.
QString ResultLine(const QString &file, const FoundResult &result);
// An inconsistent figure of a result, under the result's line and set in by two blanks:
// "  FILE:LINE:COLUMN: inconsistent KIND: QUOTE: explanation".
QString FindingLine(const QString &file, const FigureFinding &finding);
// "FILE: 14 results: 11 consistent, 2 inconsistent, 1 decision error; 3 p values without a
// statistic", worded as the window's totals.
QString SummaryLine(const FileCheck &file);
// A read file's result lines, each followed by the lines of its inconsistent figures, and its
// summary, each ended by "\n"; nothing for an unread one
// (its message goes to standard error).
QString FileLines(const FileCheck &file);

// {"files": [...]}: every part of every result and of each of its figures ("findings"), null
// where the text has none.
QByteArray JsonReport(const QList<FileCheck> &files);

// 2 when a file could not be read, else 1 when a result or one of its figures is inconsistent (a
// changed conclusion too), else 0.
int ExitStatus(const QList<FileCheck> &files);
