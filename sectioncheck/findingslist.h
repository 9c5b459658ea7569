#pragma once

#include "textcheck/textcheck.h"

#include <QAbstractListModel>
#include <QStyledItemDelegate>

class QMimeData;

// The results of a check, one row each in the text's order, for the window's list: the verdict's
// icon, the result as written and the message. Readers read a row as its verdict and message.
class FindingsModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { QuoteRole = Qt::UserRole, MessageRole, VerdictRole };

    using QAbstractListModel::QAbstractListModel;
    void setResults(const QList<FoundResult> &results);
    const QList<FoundResult> &results() const { return m_results; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QList<FoundResult> m_results;
};

// Draws a row as three columns: the icon, the result (in the width of the longest, up to a
// third of the list) and the message, each cut with an ellipsis where the list is too narrow.
class FindingsDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

// What "Copy Findings" puts on the clipboard: the totals line, then a table of verdict, result
// and message, as HTML that word processors read and as tab-separated plain text. Characters
// that would not show (word joiners, zero-width spaces, soft hyphens) are left out, and tabs and
// line ends in a quote become blanks, so that each row stays one row.
QMimeData *FindingsCopy(const QString &totals, const QList<FoundResult> &results);
