#pragma once

#include <QString>

// Hands a file, folder, e-mail link or web address to the desktop with an action verb. Failures
// never escape: they come back as a number, a source and a description (0, "", "" on success)
// and, when showErrors is set, are shown in a message box. Returns true when the action started.
bool SuperShell(const QString &target, const QString &parameters, int verbIndex, int showCommand,
                const QString &workingFolder, qintptr ownerWindow, bool showErrors,
                qint32 &errorNumber, QString &errorSource, QString &errorDescription);

// The verb for an index: 1 explore, 2 edit, 3 print, 4 properties, 5 find, 6 play, else open.
QString SuperShellVerb(int verbIndex);

// The sentence for a failure code of the shell call.
QString ShellErrorDescription(int code);

// The message box text for a failure, its lines separated by a carriage return.
QString SuperShellErrorText(qint32 number, const QString &source, const QString &description);
