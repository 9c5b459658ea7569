#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

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
