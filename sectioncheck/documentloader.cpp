#include "sectioncheck/documentloader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMimeData>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace {
// A manuscript reads in well under a second; a reader still busy after this is stuck.
constexpr int PatienceMs = 60'000;

QString &ProgramOverride()
{
    static QString program;
    return program;
}

QString ReadingProgram()
{
    if (!ProgramOverride().isEmpty())
        return ProgramOverride();
    const QString beside = QCoreApplication::applicationDirPath() + u"/kelvaron-check"_s;
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable(u"kelvaron-check"_s);
}
} // namespace

DocumentLoader::DocumentLoader(QObject *parent) : QObject(parent)
{
    m_patience.setSingleShot(true);
    m_patience.setInterval(PatienceMs);
    connect(&m_patience, &QTimer::timeout, this, [this] {
        Abandon();
        Fail(u"reading it took too long."_s);
    });
    connect(&m_process, &QProcess::finished, this, &DocumentLoader::Finished);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Fail(u"kelvaron-check, which reads files for Kelvaron, could not be started."_s);
    });
}

void DocumentLoader::SetProgram(const QString &program)
{
    ProgramOverride() = program;
}

QString DocumentLoader::DraggedFile(const QMimeData *dragged)
{
    if (!dragged || !dragged->hasUrls())
        return {};
    for (const QUrl &url : dragged->urls()) {
        if (url.isLocalFile())
            return url.toLocalFile();
    }
    return {};
}

void DocumentLoader::Load(const QString &path)
{
    Abandon();
    m_path = path;
    const QString program = ReadingProgram();
    if (program.isEmpty()) {
        Fail(u"kelvaron-check, which reads files for Kelvaron, is not installed."_s);
        return;
    }
    // "--" ends the options, so that a file named like one is still a file.
    m_process.start(program, {u"--text"_s, u"--"_s, path});
    m_patience.start();
}

void DocumentLoader::Abandon()
{
    if (!IsLoading())
        return;
    m_abandoning = true;
    m_process.kill();
    m_process.waitForFinished(1000);
    m_abandoning = false;
}

void DocumentLoader::Finished(int exitCode, QProcess::ExitStatus status)
{
    if (m_abandoning)
        return;
    m_patience.stop();
    const QByteArray output = m_process.readAllStandardOutput();
    const QString errors = QString::fromUtf8(m_process.readAllStandardError()).trimmed();
    if (status == QProcess::NormalExit && exitCode == 0) {
        Q_EMIT Loaded(QString::fromUtf8(output));
        return;
    }
    // The reader's own sentence names the file and says why; a crash leaves none.
    if (status == QProcess::NormalExit && !errors.isEmpty())
        Q_EMIT Failed(errors.section(u'\n', 0, 0));
    else
        Fail(u"reading it failed."_s);
}

void DocumentLoader::Fail(const QString &reason)
{
    m_patience.stop();
    Q_EMIT Failed(u"%1 could not be read: %2"_s.arg(m_path, reason));
}
