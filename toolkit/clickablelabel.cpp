#include "toolkit/clickablelabel.h"

#include <QMouseEvent>
#include <QShortcut>

ClickableLabel::ClickableLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setCursor(Qt::PointingHandCursor);
}

void ClickableLabel::setShortcut(const QKeySequence &key)
{
    m_key = key;
    auto *shortcut = new QShortcut(key, window());
    connect(shortcut, &QShortcut::activated, this, &ClickableLabel::click);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // Like a button: releasing outside the label cancels the click.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}
