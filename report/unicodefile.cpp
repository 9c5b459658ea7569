#include "report/unicodefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QtEndian>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

QString ResultFilePath()
{
    QString folder = QCoreApplication::applicationDirPath();
    // Asks the kernel, which also knows read-only mounts (root passes any permission bits).
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QDir().mkpath(folder);
    }
    return folder + QLatin1Char('/') + QStringLiteral("result.html");
}

namespace {
// A replaced file keeps its permissions; a new one gets what the user's umask gives, as any
// newly created file does (a temporary file is created private).
mode_t NewFileMode(const QString &path)
{
    struct stat old {};
    if (::lstat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}
} // namespace

bool WriteUnicodeFile(const QString &path, const QString &text, bool byteOrderMark,
                      QString *errorText)
{
    QByteArray bytes;
    bytes.reserve(2 + 2 * text.size());
    if (byteOrderMark)
        bytes.append("\xFF\xFE", 2);
    for (const QChar unit : text) {
        const char16_t le = qToLittleEndian(unit.unicode());
        bytes.append(reinterpret_cast<const char *>(&le), 2);
    }

    // Written to a fresh file beside the old one and renamed over it, so a failure never costs
    // the last result. rename(2) replaces whatever holds the name, a link too, and never writes
    // through it (in a shared folder a link may point at anyone's file); QSaveFile would follow
    // it. Flushed and synced before the rename, so that a full disk, or one that reports
    // failures late, fails here.
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    bool written = file.open() && file.write(bytes) == bytes.size() && file.flush();
    QString reason = file.errorString();
    if (written &&
        (::fchmod(file.handle(), NewFileMode(path)) != 0 || ::fsync(file.handle()) != 0 ||
         ::rename(QFile::encodeName(file.fileName()), QFile::encodeName(path)) != 0)) {
        reason = qt_error_string(errno);
        written = false;
    }
    // Once renamed, the temporary name is gone and must not be removed.
    file.setAutoRemove(!written);
    if (!written && errorText)
        *errorText = reason;
    return written;
}
