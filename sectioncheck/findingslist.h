#pragma once

#include "textcheck/textcheck.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

class QMimeData;

// The results of a check for the window's list, in the text's order, each result's row followed
// by a row for each of its other figures (effect sizes, intervals, ...): the verdict's icon, the
// result or figure as written and the message. Readers read a result's row as its verdict and
// message, a figure's as its verdict, kind and message ("Inconsistent effect size: ...").
class FindingsModel : public QAbstractListModel {
    Q_OBJECT
public:
    // VerdictRole: the row's look, as an int of Verdict; FigureRole: whether it is a figure's.
    enum Role { QuoteRole = Qt::UserRole, MessageRole, VerdictRole, FigureRole };

    using QAbstractListModel::QAbstractListModel;
    void setResults(const QList<FoundResult> &results);
    const QList<FoundResult> &results() const { return m_results; }

    // Where a row's result or figure stands in the text, and the look of its verdict.
    TextPlace placeOf(int row) const;
    Verdict lookOf(int row) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        int result;
        int figure; // -1 on the result's own row
    };
    QList<FoundResult> m_results;
    QList<Row> m_rows;
};

// Draws a row as three columns: the icon, the result (a third of the list) and the message, each
// cut with an ellipsis where the list is too narrow; a figure's icon and quote set in under its
// result's.
class FindingsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// What "Copy Findings" puts on the clipboard: the totals line, then a table of verdict, result
// and message, each result's figures in rows of their own after it ("Inconsistent effect size",
// the figure, its message), as HTML that word processors read and as tab-separated plain text.
// Characters that would not show (word joiners, zero-width spaces, soft hyphens) are left out, and
// tabs and line ends in a quote become blanks, so that each row stays one row.
QMimeData *FindingsCopy(const QString &totals, const QList<FoundResult> &results);
