#include "sectioncheck/verdictlook.h"

#include "common/enginetext.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

using namespace Qt::Literals::StringLiterals;

namespace {
const QColor ConsistentGreen(0, 128, 0);
const QColor MendRed(200, 0, 0);
const QColor UncheckedGrey(112, 112, 112);
const QColor DecisionTint(255, 221, 221);

// The icon drawn on a square of `size` pixels.
QPixmap DrawnVerdict(Verdict verdict, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 16.0, size / 16.0);
    QPen pen(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (verdict) {
    case Verdict::Consistent:
    case Verdict::ConsistentOneTailed:
        pen.setColor(ConsistentGreen);
        painter.setPen(pen);
        painter.drawPolyline(QPolygonF({{2.5, 8.5}, {6.5, 12.5}, {13.5, 3.5}}));
        break;
    case Verdict::Inconsistent:
        pen.setColor(MendRed);
        painter.setPen(pen);
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case Verdict::Decision: {
        QPainterPath triangle;
        triangle.moveTo(8, 1.2);
        triangle.lineTo(15.2, 14.5);
        triangle.lineTo(0.8, 14.5);
        triangle.closeSubpath();
        painter.setPen(QPen(MendRed, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(MendRed);
        painter.drawPath(triangle);
        pen.setColor(Qt::white);
        pen.setWidthF(1.8);
        painter.setPen(pen);
        painter.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
        painter.drawPoint(QPointF(8, 12.2));
        break;
    }
    case Verdict::Unchecked: {
        pen.setColor(UncheckedGrey);
        pen.setWidthF(1.5);
        painter.setPen(pen);
        painter.drawEllipse(QRectF(1.25, 1.25, 13.5, 13.5));
        QFont font = painter.font();
        font.setPixelSize(11);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, u"?"_s);
        break;
    }
    }
    return pixmap;
}
} // namespace

QString VerdictWord(Verdict verdict)
{
    return FromEngine(engine::VerdictWord(verdict));
}

QIcon VerdictIcon(Verdict verdict)
{
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(DrawnVerdict(verdict, size));
    return icon;
}

QTextCharFormat MarkFormat(Verdict verdict)
{
    QTextCharFormat mark;
    switch (verdict) {
    case Verdict::Consistent:
    case Verdict::ConsistentOneTailed:
        mark.setUnderlineStyle(QTextCharFormat::SingleUnderline);
        mark.setUnderlineColor(ConsistentGreen);
        break;
    case Verdict::Inconsistent:
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(MendRed);
        break;
    case Verdict::Decision:
        mark.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.setUnderlineColor(MendRed);
        mark.setBackground(DecisionTint);
        break;
    case Verdict::Unchecked:
        mark.setUnderlineStyle(QTextCharFormat::DotLine);
        mark.setUnderlineColor(UncheckedGrey);
        break;
    }
    return mark;
}

QString FigureKindWord(FigureKind kind)
{
    return FromEngine(engine::FigureKindWord(kind));
}

QString FigureWords(const FigureFinding &figure)
{
    return FromEngine(engine::FigureWords(figure.verdict, figure.kind));
}
