#include "sectioncheck/findingmarks.h"

#include "sectioncheck/findingslist.h"
#include "sectioncheck/verdictlook.h"

#include <QTextCursor>
#include <algorithm>

QList<QTextEdit::ExtraSelection> MarksFor(const FindingsModel &rows, QTextDocument *document)
{
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(rows.rowCount());
    for (int row = 0; row < rows.rowCount(); ++row) {
        const TextPlace place = rows.placeOf(row);
        QTextEdit::ExtraSelection mark{QTextCursor(document), MarkFormat(rows.lookOf(row))};
        mark.cursor.setPosition(int(place.offset));
        mark.cursor.setPosition(int(place.offset + place.length), QTextCursor::KeepAnchor);
        marks.append(mark);
    }
    return marks;
}

int MarkAt(const QList<QTextEdit::ExtraSelection> &marks, int position)
{
    int found = -1;
    for (qsizetype i = 0; i < marks.size(); ++i) {
        const QTextCursor &mark = marks.at(i).cursor;
        if (mark.selectionStart() > position || position >= mark.selectionEnd())
            continue;
        const auto span = [](const QTextCursor &cursor) {
            return cursor.selectionEnd() - cursor.selectionStart();
        };
        if (found < 0 || span(mark) < span(marks.at(found).cursor))
            found = int(i);
    }
    return found;
}

int NextStop(const QList<QTextEdit::ExtraSelection> &marks, const FindingsModel &rows, int current,
             const QTextCursor &selection, bool forward)
{
    // A figure may stand before its result (a mean before its t): the stops go by the text.
    QList<int> stops;
    for (int row = 0; row < rows.rowCount() && row < marks.size(); ++row) {
        if (NeedsALook(rows.lookOf(row)))
            stops << row;
    }
    const auto start = [&marks](int row) { return marks.at(row).cursor.selectionStart(); };
    std::stable_sort(stops.begin(), stops.end(),
                     [&start](int a, int b) { return start(a) < start(b); });
    if (stops.isEmpty())
        return -1;

    // On a stop already, the next one in order, even where marks start at one place or nest.
    const qsizetype at = stops.indexOf(current);
    if (at >= 0 && marks.at(current).cursor.selectionStart() == selection.selectionStart() &&
        marks.at(current).cursor.selectionEnd() == selection.selectionEnd()) {
        const qsizetype count = stops.size();
        return stops.at((at + (forward ? 1 : count - 1)) % count);
    }
    if (forward) {
        const auto next = std::find_if(stops.cbegin(), stops.cend(), [&](int row) {
            return start(row) >= selection.selectionEnd();
        });
        return next != stops.cend() ? *next : stops.first();
    }
    const auto previous = std::find_if(stops.crbegin(), stops.crend(), [&](int row) {
        return start(row) < selection.selectionStart();
    });
    return previous != stops.crend() ? *previous : stops.last();
}
