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

// Closes every modal message box that opens while it lives, the way a user presses OK, and
// keeps what each one said.
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
    // The texts of the boxes seen so far.
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
// A real click into the box, then the text as a paste puts it there: typing 100,000 characters
// key by key takes minutes, and QTest types only ASCII.
void PasteInto(QLineEdit *box, const QString &text);

// Texts for a window's boxes, as (box name, text) in the order they are typed.
using Fields = QList<std::pair<QString, QString>>;
// The fields with the changes' texts in place of theirs; a box they lack is added at the end.
Fields With(Fields fields, const Fields &changes);
// A window's input box by name; "CboTail" is the edit field of the tails box.
QLineEdit *Box(const QWidget *form, const QString &name);
// Types every text into its box in order (TypeInto), so each box is left by a real focus change.
void TypeFields(QWidget *form, const Fields &fields);
void ClickShowResult(QWidget *form);
ResultViewer *Pane(const QWidget *form);
// Whether the window is centred on the screen, to the pixel.
bool IsCentred(const QWidget *window);

// The bytes of a file, or an empty array when it cannot be read.
QByteArray FileBytes(const QString &path);
// What WriteUnicodeFile must store for this text: FF FE and the UTF-16LE code units.
QByteArray Utf16LeWithBom(const QString &text);
// The text of result.html after its byte-order mark; empty when there is no such file.
QString ResultText();

// A mount over a folder for as long as it lives, made in the test process's own mount namespace
// so that nothing else sees it and it vanishes with the process even when a test crashes.
// ok() is false where mounting is not allowed.
class ScopedMount {
public:
    // Makes the folder read-only, root included (root passes any permission bits).
    static std::unique_ptr<ScopedMount> readOnly(const QString &folder);
    // A fresh tmpfs over the folder, with mount options such as "size=64k,nr_inodes=8".
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
