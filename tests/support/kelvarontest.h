#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QLineEdit;
class QWidget;

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

// The bytes of a file, or an empty array when it cannot be read.
QByteArray FileBytes(const QString &path);
// What WriteUnicodeFile must store for this text: FF FE and the UTF-16LE code units.
QByteArray Utf16LeWithBom(const QString &text);

// Makes a folder read-only for this test process, root included, for as long as it lives (a
// read-only bind mount of the folder onto itself, in the process's own mount namespace).
// ok() is false where mounting is not allowed.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;
    bool ok() const { return m_mounted; }
    void release();

private:
    QByteArray m_folder;
    bool m_mounted = false;
};
