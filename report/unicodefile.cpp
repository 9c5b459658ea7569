#include "report/unicodefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
#include <cerrno>
#include <cstdio>
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

    // Written beside the old file and renamed over it, so a failure never costs the last result.
    // Unbuffered, so that a full disk fails the write itself: Qt 6.4's commit() loses an error of
    // its final flush and puts an empty file in the old one's place. The data is synced before
    // the rename, so that a disk that reports failures late still fails here.
    // QSaveFile writes through a link to its target, which in a shared folder may be anyone's
    // file; a link at the path, dangling or not, is replaced by the file itself instead.
    const bool link = QFileInfo(path).isSymLink();
    const QString target = link ? path + QStringLiteral(".new") : path;
    if (link)
        QFile::remove(target);
    QSaveFile file(target);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                   file.write(bytes) == bytes.size();
    QString reason = file.errorString();
    if (written && ::fsync(file.handle()) != 0) {
        reason = qt_error_string(errno);
        written = false;
    }
    if (written) {
        written = file.commit();
        reason = file.errorString();
        if (written && link && ::rename(QFile::encodeName(target), QFile::encodeName(path)) != 0) {
            reason = qt_error_string(errno);
            QFile::remove(target);
            written = false;
        }
    } else {
        file.cancelWriting();
    }
    if (!written && errorText)
        *errorText = reason;
    return written;
}
