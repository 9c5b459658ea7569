#include "app/modsupershell.h"

#include "app/platformopener.h"
#include "common/fieldtext.h"
#include "toolkit/toolkit.h"

using namespace Qt::Literals::StringLiterals;

QString SuperShellVerb(int verbIndex)
{
    switch (verbIndex) {
    case 1:
        return u"explore"_s;
    case 2:
        return u"edit"_s;
    case 3:
        return u"print"_s;
    case 4:
        return u"properties"_s;
    case 5:
        return u"find"_s;
    case 6:
        return u"play"_s;
    default:
        return u"open"_s;
    }
}

QString ShellErrorDescription(int code)
{
    switch (code) {
    case 0:
        return u"The operating system is out of memory or resources."_s;
    case 2:
        return u"The specified file was not found."_s;
    case 3:
        return u"The specified path was not found."_s;
    case 5:
        return u"The operating system denied access to the specified file."_s;
    case 8:
        return u"There was not enough memory to complete the operation."_s;
    case 11:
        return u"The .exe file is invalid (non-Win32® .exe or error in .exe image)."_s;
    case 26:
        return u"A sharing violation occurred."_s;
    case 27:
        return u"The file name association is incomplete or invalid."_s;
    case 28:
        return u"The DDE transaction could not be completed because the request timed out."_s;
    case 29:
        return u"The DDE transaction failed."_s;
    case 30:
        return u"The DDE transaction could not be completed because other DDE transactions were "
               u"being processed."_s;
    case 31:
        return u"There is no application associated with the given file name extension. This "
               u"error will also be returned if you attempt to print a file that is not "
               u"printable."_s;
    case 32:
        return u"The specified dynamic-link library was not found."_s;
    default:
        return u"Unknown Error"_s;
    }
}

QString SuperShellErrorText(qint32 number, const QString &source, const QString &description)
{
    return u"The following error occured while trying to open the specified file, folder, URL, "
           u"Email, or document:"_s +
           u'\r' + u'\r' + u"Error Number = "_s + QString::number(number) + u'\r' +
           u"Error Source = "_s + source + u'\r' + u"Error Description = "_s + description;
}

bool SuperShell(const QString &target, const QString &parameters, int verbIndex, int showCommand,
                const QString &workingFolder, qintptr ownerWindow, bool showErrors,
                qint32 &errorNumber, QString &errorSource, QString &errorDescription)
{
    errorNumber = 0;
    errorSource.clear();
    errorDescription.clear();

    const QString trimmedTarget = TrimSpaces(target);
    if (trimmedTarget.isEmpty()) {
        errorNumber = -1;
        errorSource = u"SuperShell()"_s;
        errorDescription = u"No file, Email, or URL specified to open"_s;
    } else {
        const int result =
            ShellExecute(ownerWindow == -1 ? 0 : ownerWindow, SuperShellVerb(verbIndex),
                         trimmedTarget, parameters, workingFolder, showCommand);
        if (result > 32)
            return true;
        errorNumber = result;
        errorSource = u"ShellExecute()"_s;
        errorDescription = ShellErrorDescription(result);
    }

    if (showErrors)
        ShowMessageBox(nullptr, SuperShellErrorText(errorNumber, errorSource, errorDescription),
                       u"  Error"_s, MessageIcon::Exclamation);
    return false;
}
