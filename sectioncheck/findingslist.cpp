#include "sectioncheck/findingslist.h"

#include "common/enginetext.h"
#include "sectioncheck/verdictlook.h"

#include <QApplication>
#include <QMimeData>
#include <QPainter>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

void FindingsModel::setResults(const QList<FoundResult> &results)
{
    beginResetModel();
    m_results = results;
    m_rows.clear();
    m_rows.reserve(results.size());
    for (qsizetype i = 0; i < results.size(); ++i) {
        m_rows.append({int(i), -1});
        for (qsizetype figure = 0; figure < results.at(i).findings.size(); ++figure)
            m_rows.append({int(i), int(figure)});
    }
    endResetModel();
}

TextPlace FindingsModel::placeOf(int row) const
{
    const Row &at = m_rows.at(row);
    const FoundResult &result = m_results.at(at.result);
    return at.figure < 0 ? result.place : result.findings.at(at.figure).place;
}

Verdict FindingsModel::lookOf(int row) const
{
    const Row &at = m_rows.at(row);
    const FoundResult &result = m_results.at(at.result);
    return at.figure < 0 ? result.verdict : FigureLook(result.findings.at(at.figure).verdict);
}

int FindingsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant FindingsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    const FoundResult &result = m_results.at(row.result);
    if (row.figure >= 0) {
        const FigureFinding &figure = result.findings.at(row.figure);
        switch (role) {
        case Qt::DisplayRole:
        case QuoteRole:
            return figure.quote;
        case MessageRole:
        case Qt::ToolTipRole:
            return figure.message;
        case VerdictRole:
            return int(FigureLook(figure.verdict));
        case FigureRole:
            return true;
        case Qt::DecorationRole:
            return VerdictIcon(FigureLook(figure.verdict));
        case Qt::AccessibleTextRole:
            return FigureWords(figure) + u": "_s + figure.message;
        default:
            return {};
        }
    }
    switch (role) {
    case Qt::DisplayRole:
    case QuoteRole:
        return result.quote;
    case MessageRole:
    case Qt::ToolTipRole:
        return result.message;
    case VerdictRole:
        return int(result.verdict);
    case FigureRole:
        return false;
    case Qt::DecorationRole:
        return VerdictIcon(result.verdict);
    case Qt::AccessibleTextRole:
        return VerdictWord(result.verdict) + u": "_s + result.message;
    default:
        return {};
    }
}

namespace {
constexpr int Padding = 4;

int QuoteWidth(const QStyleOptionViewItem &option)
{
    return std::max(option.rect.width() / 3, 120);
}
} // namespace

void FindingsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                             const QModelIndex &index) const
{
    QStyleOptionViewItem panel = option;
    initStyleOption(&panel, index);
    panel.text.clear();
    panel.icon = QIcon();
    const QWidget *view = option.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, view);

    const QRect row = option.rect.adjusted(Padding, 0, -Padding, 0);
    const int iconSide = option.decorationSize.height();
    // A figure's icon and quote stand under its result's quote; the messages stay in line.
    const int indent = index.data(FindingsModel::FigureRole).toBool() ? iconSide + Padding : 0;
    const QRect iconPlace(row.left() + indent, row.center().y() - iconSide / 2 + 1, iconSide,
                          iconSide);
    index.data(Qt::DecorationRole).value<QIcon>().paint(painter, iconPlace);

    const bool selected = option.state & QStyle::State_Selected;
    painter->save();
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QFontMetrics metrics(option.font);
    const int quoteLeft = iconPlace.right() + 1 + 2 * Padding;
    const QRect quotePlace(quoteLeft, row.top(), QuoteWidth(option) - indent, row.height());
    const QRect messagePlace(quotePlace.right() + 1 + 3 * Padding, row.top(),
                             row.right() - quotePlace.right() - 3 * Padding, row.height());
    const auto draw = [&](const QRect &place, const QString &text) {
        painter->drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                          metrics.elidedText(text, Qt::ElideRight, place.width()));
    };
    draw(quotePlace, index.data(FindingsModel::QuoteRole).toString());
    draw(messagePlace, index.data(FindingsModel::MessageRole).toString());
    painter->restore();
}

QSize FindingsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int height = std::max(QFontMetrics(option.font).height(), option.decorationSize.height());
    return {option.rect.width(), height + Padding};
}

QMimeData *FindingsCopy(const QString &totals, const QList<FoundResult> &results)
{
    const engine::FindingsTable table = engine::TableOf(
        EngineView(totals), results, [](const QString &text) { return EngineView(text); });
    auto *copy = new QMimeData;
    copy->setText(FromEngine(table.Plain()));
    copy->setHtml(FromEngine(table.Html()));
    return copy;
}
