#pragma once

#include <QLabel>

// A text label that acts as a link: a click anywhere on it raises clicked(), and the mouse
// pointer over it is a pointing hand.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};
