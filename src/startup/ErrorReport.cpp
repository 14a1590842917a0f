#include "startup/ErrorReport.h"

#include "startup/AppError.h"

#include <exception>

namespace Report {

namespace {
const QString kTwoReturns = QStringLiteral("\r\r");
}

QString EntryTitle(const QString& appTitle)
{
    return QStringLiteral("Είσοδος στη ") + appTitle;
}

QString CodedPrompt(long number, const QString& detail)
{
    return QStringLiteral("Προσοχή!") + kTwoReturns
        + QStringLiteral("Σημειώθηκε σφάλμα στα αρχεία του συστήματος!") + kTwoReturns
        + QStringLiteral("Σημειώστε τον κωδικό λάθους και επικοινωνήστε με τον ΖΕΛΚΟΡ!") + kTwoReturns
        + QStringLiteral("Κωδικός Λάθους: ") + QString::number(number) + QStringLiteral(" - ") + detail;
}

void ReportCodedError(Dialogs& dialogs, const QString& appTitle, long number, const QString& detail)
{
    dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, EntryTitle(appTitle), CodedPrompt(number, detail)});
}

void Refusal(Dialogs& dialogs, const QString& appTitle, const QString& sentence)
{
    dialogs.messageBox({MsgIcon::Exclamation, MsgButtons::Ok, EntryTitle(appTitle), sentence});
}

void MissingInstallation(Dialogs& dialogs, const QString& sentence)
{
    dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, QString(), sentence});
}

void FailedAction(Dialogs& dialogs, const QString& title, const QString& prompt)
{
    dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, title, prompt});
}

void PrintCommand(Dialogs& dialogs, const QString& text)
{
    dialogs.messageBox({MsgIcon::None, MsgButtons::Ok, QString(), text});
}

void Confirmation(Dialogs& dialogs, const QString& text)
{
    dialogs.messageBox({MsgIcon::None, MsgButtons::Ok, QString(), text});
}

QString UnhandledPrompt(long number, const QString& description)
{
    return QStringLiteral("Σφάλμα εκτέλεσης '") + QString::number(number) + QStringLiteral("':")
        + kTwoReturns + description;
}

void UnhandledError(Dialogs& dialogs, const QString& appTitle, long number, const QString& description)
{
    dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, appTitle, UnhandledPrompt(number, description)});
}

} // namespace Report

bool RunEventHandler(Dialogs& dialogs, const QString& appTitle, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const AppError& e) {
        Report::UnhandledError(dialogs, appTitle, e.number(), e.description());
    } catch (const std::exception& e) {
        // Not one of ours (out of memory, a library's own error): still reported
        // rather than allowed to end the program.
        Report::UnhandledError(dialogs, appTitle, -1, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
