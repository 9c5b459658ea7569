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
    // For a window whose every control Tab reaches: the link then takes the focus, shows it
    // with a dotted frame, and Enter or Space clicks it, as on a push button.
    void setReachedByTab();

Q_SIGNALS:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QKeySequence m_key;
};
