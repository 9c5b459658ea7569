#include "report/unicodefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtEndian>
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
    QSaveFile file(path);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && errorText)
        *errorText = file.errorString();
    return written;
}
