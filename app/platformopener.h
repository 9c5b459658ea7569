#pragma once

#include <QString>
#include <functional>

// The one place where the program asks the desktop to open something. It answers like the
// shell-execute call it stands in for: a result above 32 means the action was started, 32 or
// less is a failure code (2 not found, 31 nothing to open it with, other codes unknown).
using ShellExecuteCall =
    std::function<int(qintptr ownerWindow, const QString &verb, const QString &target,
                      const QString &parameters, const QString &workingFolder, int showCommand)>;

int ShellExecute(qintptr ownerWindow, const QString &verb, const QString &target,
                 const QString &parameters, const QString &workingFolder, int showCommand);

// The desktop's opener, xdg-open: the target is passed as one argument, never through a shell.
int OpenWithDesktop(qintptr ownerWindow, const QString &verb, const QString &target,
                    const QString &parameters, const QString &workingFolder, int showCommand);

// Replaces the platform call while it lives (for tests); the desktop's opener comes back after.
class ShellExecuteOverride {
public:
    explicit ShellExecuteOverride(ShellExecuteCall call);
    ~ShellExecuteOverride();
    ShellExecuteOverride(const ShellExecuteOverride &) = delete;
    ShellExecuteOverride &operator=(const ShellExecuteOverride &) = delete;

private:
    ShellExecuteCall m_previous;
};
