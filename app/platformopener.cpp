#include "app/platformopener.h"

#include <QProcess>

namespace {
constexpr int Started = 33;
constexpr int FileNotFound = 2;
constexpr int NoAssociation = 31;
constexpr int UnknownFailure = 1;
// Long enough for xdg-open to fail on a missing file, short enough not to freeze the window.
constexpr int WaitMilliseconds = 1000;

ShellExecuteCall &currentCall()
{
    static ShellExecuteCall call = OpenWithDesktop;
    return call;
}
} // namespace

int ShellExecute(qintptr ownerWindow, const QString &verb, const QString &target,
                 const QString &parameters, const QString &workingFolder, int showCommand)
{
    return currentCall()(ownerWindow, verb, target, parameters, workingFolder, showCommand);
}

int OpenWithDesktop(qintptr, const QString &verb, const QString &target, const QString &,
                    const QString &workingFolder, int)
{
    // The desktop only knows how to open; printing, editing and the rest have no equivalent.
    if (verb != u"open" && verb != u"explore")
        return NoAssociation;

    auto *opener = new QProcess;
    if (!workingFolder.isEmpty())
        opener->setWorkingDirectory(workingFolder);
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    opener->start(QStringLiteral("xdg-open"), {target});
    if (!opener->waitForStarted(WaitMilliseconds)) {
        delete opener;
        return NoAssociation;
    }
    if (!opener->waitForFinished(WaitMilliseconds)) {
        // Still running: the program it started holds on to it. It must not be killed with the
        // QProcess, so the object is left to delete itself when the opener ends.
        return Started;
    }
    const int status = opener->exitStatus() == QProcess::NormalExit ? opener->exitCode() : -1;
    switch (status) {
    case 0:
        return Started;
    case 2:
        return FileNotFound;
    case 3:
        return NoAssociation;
    default:
        return status > 0 && status <= 32 ? status : UnknownFailure;
    }
}

ShellExecuteOverride::ShellExecuteOverride(ShellExecuteCall call)
    : m_previous(std::exchange(currentCall(), std::move(call)))
{
}

ShellExecuteOverride::~ShellExecuteOverride()
{
    currentCall() = std::move(m_previous);
}
