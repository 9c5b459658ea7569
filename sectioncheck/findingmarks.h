#pragma once

#include <QList>
#include <QTextEdit>

class FindingsModel;
class QTextCursor;
class QTextDocument;

// The marks under what the check found, one for each row of the findings list and in its order
// (a result's, then its figures'), each in its verdict's look. They are cursors of the document,
// so they move with the text until the next check.
QList<QTextEdit::ExtraSelection> MarksFor(const FindingsModel &rows, QTextDocument *document);

// The row whose mark covers a place in the text, the innermost where marks nest; -1 for none.
int MarkAt(const QList<QTextEdit::ExtraSelection> &marks, int position);

// Where F8 (or Shift+F8) goes: the next (previous) row that needs a look, in the order of the
// text, round its ends; -1 when none does. From the row `current` when the text's selection is
// its mark, else from the selection's end forwards, from its start backwards, so that a
// selected result is passed over.
int NextStop(const QList<QTextEdit::ExtraSelection> &marks, const FindingsModel &rows, int current,
             const QTextCursor &selection, bool forward);
