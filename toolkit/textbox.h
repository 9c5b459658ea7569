#pragma once

#include <QLineEdit>

// A single-line text box that reports when it loses the input focus. The signal comes when the
// focus moves to another control of the window (by Tab or a click), before that control
// handles the click; switching to another window does not count.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    // maxLength 0 means no limit.
    explicit TextBox(int maxLength, QWidget *parent = nullptr);

    // A locked box can be focused and read but only the program writes it.
    void setLocked(bool locked);

Q_SIGNALS:
    void lostFocus();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
