#pragma once

#include <QKeySequence>
#include <QLabel>

// A text label that acts as a link: a click anywhere on it raises clicked(), and the mouse
// pointer over it is a pointing hand. Screen readers see it as a link whose one action clicks it.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString &text, QWidget *parent = nullptr);

    // The label takes no focus, so a key in its window clicks it; readers announce the key
    // with the link's action. The label must already be in its window.
    void setShortcut(const QKeySequence &key);
    QKeySequence shortcut() const { return m_key; }
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QKeySequence m_key;
};
