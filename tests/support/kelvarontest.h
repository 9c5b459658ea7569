#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <utility>

class QLineEdit;
class QWidget;
class ResultViewer;

// Presses OK in every modal message box that opens while it lives, and keeps what each said.
class MessageBoxCatcher : public QObject {
    Q_OBJECT
public:
    struct Box {
        QString title;
        QString text;
        int icon; // QMessageBox::Icon
    };

    MessageBoxCatcher();
    const QList<Box> &boxes() const { return m_boxes; }
    QStringList texts() const;

private:
    void closeOpenBox();

    QTimer m_timer;
    QList<Box> m_boxes;
};

// Shows a window and waits until it is active, so focus changes behave as for a user.
bool ShowAndActivate(QWidget *window);

// Clicks into the box (a real focus change) and types the text, replacing what it held.
void TypeInto(QLineEdit *box, const QString &text);
// A real click into the box, then the text as pasted: QTest types only ASCII, and slowly.
void PasteInto(QLineEdit *box, const QString &text);

// (box name, text) in the order they are typed.
using Fields = QList<std::pair<QString, QString>>;
// The fields with the changes' texts in place of theirs; a box they lack is added at the end.
Fields With(Fields fields, const Fields &changes);
// A window's input box by name; "CboTail" is the edit field of the tails box.
QLineEdit *Box(const QWidget *form, const QString &name);
void TypeFields(QWidget *form, const Fields &fields);
void ClickShowResult(QWidget *form);
ResultViewer *Pane(const QWidget *form);
bool IsCentred(const QWidget *window);

// Empty when the file cannot be read.
QByteArray FileBytes(const QString &path);
// FF FE and the UTF-16LE code units, as the result file holds the text.
QByteArray Utf16LeWithBom(const QString &text);
// The text of result.html after its byte-order mark.
QString ResultText();

// A mount over a folder while it lives, in the test process's own mount namespace, so that it
// vanishes with the process even after a crash; ok() is false where mounting is not allowed.
class ScopedMount {
public:
    // Read-only for root too, whom permission bits do not stop.
    static std::unique_ptr<ScopedMount> readOnly(const QString &folder);
    // Options such as "size=64k,nr_inodes=8".
    static std::unique_ptr<ScopedMount> tmpfs(const QString &folder, const QString &options);

    ~ScopedMount();
    ScopedMount(const ScopedMount &) = delete;
    ScopedMount &operator=(const ScopedMount &) = delete;
    bool ok() const { return m_mounted; }
    void release();

private:
    explicit ScopedMount(const QString &folder);

    QByteArray m_folder;
    bool m_mounted = false;
};
