#pragma once

#include <QString>

class QListView;
class QPlainTextEdit;
class QWidget;

// The Check a Results Section window's parts, by their names, as its tests use them.
QPlainTextEdit *CheckedText(const QWidget *form);
QListView *FindingsList(const QWidget *form);
QString TotalsText(const QWidget *form);
// A row of the findings list as screen readers read it.
QString RowRead(const QWidget *form, int row);

// As a user pastes: a click into the editor, then Ctrl+A and Ctrl+V over all it held; true once
// the window has checked the new text.
bool PasteAndCheck(QPlainTextEdit *edit, const QString &text);
// As a user types: a click into the editor, Ctrl+A, then the text key by key (ASCII only);
// true once the window has checked the new text.
bool TypeAndCheck(QPlainTextEdit *edit, const QString &text);
