#include "support/kelvarontest.h"

#include "report/resultviewer.h"
#include "report/unicodefile.h"
#include "toolkit/twips.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <sched.h>
#include <sys/mount.h>

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

void PasteInto(QLineEdit *box, const QString &text)
{
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    box->insert(text);
}

Fields With(Fields fields, const Fields &changes)
{
    for (const auto &[name, text] : changes) {
        const auto same = [&name](const auto &field) { return field.first == name; };
        if (const auto at = std::find_if(fields.begin(), fields.end(), same); at != fields.end())
            at->second = text;
        else
            fields.append({name, text});
    }
    return fields;
}

QLineEdit *Box(const QWidget *form, const QString &name)
{
    if (auto *tails = form->findChild<QComboBox *>(name))
        return tails->lineEdit();
    return form->findChild<QLineEdit *>(name);
}

void TypeFields(QWidget *form, const Fields &fields)
{
    for (const auto &[name, text] : fields)
        TypeInto(Box(form, name), text);
}

void ClickShowResult(QWidget *form)
{
    QTest::mouseClick(form->findChild<QPushButton *>(QStringLiteral("CmdShowResultText")),
                      Qt::LeftButton);
}

ResultViewer *Pane(const QWidget *form)
{
    return form->findChild<ResultViewer *>(QStringLiteral("WebBrowser1"));
}

bool IsCentred(const QWidget *window)
{
    const double left = ScreenWidthTwips() / 2 - WindowWidthTwips(window) / 2;
    const double top = ScreenHeightTwips() / 2 - WindowHeightTwips(window) / 2;
    return qAbs(WindowLeftTwips(window) - left) <= TwipsPerPixel() &&
           qAbs(WindowTopTwips(window) - top) <= TwipsPerPixel();
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray Utf16LeWithBom(const QString &text)
{
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    return QByteArray("\xFF\xFE", 2) +
           QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

QString ResultText()
{
    const QByteArray bytes = FileBytes(ResultFilePath());
    if (!bytes.startsWith("\xFF\xFE"))
        return QString();
    return QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData() + 2),
                              (bytes.size() - 2) / 2);
}

namespace {
bool privateMountNamespace()
{
    static const bool ok = unshare(CLONE_NEWNS) == 0 &&
                           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ok;
}
} // namespace

ScopedMount::ScopedMount(const QString &folder) : m_folder(QFile::encodeName(folder)) {}

std::unique_ptr<ScopedMount> ScopedMount::readOnly(const QString &folder)
{
    std::unique_ptr<ScopedMount> scoped(new ScopedMount(folder));
    const char *path = scoped->m_folder.constData();
    scoped->m_mounted =
        privateMountNamespace() && mount(path, path, nullptr, MS_BIND, nullptr) == 0;
    if (scoped->m_mounted &&
        mount(nullptr, path, nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        scoped->release();
    return scoped;
}

std::unique_ptr<ScopedMount> ScopedMount::tmpfs(const QString &folder, const QString &options)
{
    std::unique_ptr<ScopedMount> scoped(new ScopedMount(folder));
    scoped->m_mounted =
        privateMountNamespace() && mount("kelvaron-test", scoped->m_folder.constData(), "tmpfs", 0,
                                         options.toLatin1().constData()) == 0;
    return scoped;
}

ScopedMount::~ScopedMount()
{
    release();
}

void ScopedMount::release()
{
    if (m_mounted)
        umount2(m_folder.constData(), MNT_DETACH);
    m_mounted = false;
}
