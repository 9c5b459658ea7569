#include "toolkit/textbox.h"

#include <QFocusEvent>
#include <limits>

TextBox::TextBox(int maxLength, QWidget *parent) : QLineEdit(parent)
{
    // QLineEdit's own default is 32767 characters; a box without a limit must take any length.
    setMaxLength(maxLength > 0 ? maxLength : std::numeric_limits<int>::max());
}

void TextBox::setLocked(bool locked)
{
    setReadOnly(locked);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, locked ? QColor(192, 192, 192) : QColor(Qt::white));
    setPalette(pal);
}

void TextBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Q_EMIT lostFocus();
}
