#include "support/kelvarontest.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

MessageBoxCatcher::MessageBoxCatcher()
{
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxCatcher::closeOpenBox);
    m_timer.start(5);
}

QStringList MessageBoxCatcher::texts() const
{
    QStringList result;
    for (const Box &box : m_boxes)
        result << box.text;
    return result;
}

void MessageBoxCatcher::closeOpenBox()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    m_boxes.append({box->windowTitle(), box->text(), int(box->icon())});
    if (QAbstractButton *ok = box->button(QMessageBox::Ok))
        QTest::mouseClick(ok, Qt::LeftButton);
    else
        box->reject();
}

bool ShowAndActivate(QWidget *window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

void TypeInto(QLineEdit *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Utf16LeWithBom(const QString &text)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN,
                  "the expected bytes are built on a little-endian host");
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

ReadOnlyFolder::ReadOnlyFolder(const QString &folder) : m_folder(folder)
{
    // A read-only bind mount holds even for root, who ignores permission bits.
    m_mounted = QProcess::execute(u"mount"_s, {u"--bind"_s, folder, folder}) == 0;
    if (m_mounted && QProcess::execute(u"mount"_s, {u"-o"_s, u"remount,ro,bind"_s, folder}) != 0) {
        release();
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    release();
}

void ReadOnlyFolder::release()
{
    if (m_mounted)
        QProcess::execute(u"umount"_s, {m_folder});
    m_mounted = false;
}
