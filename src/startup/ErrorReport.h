#pragma once

#include "startup/Dialogs.h"

#include <QString>

#include <functional>

// The few forms in which the program reports a failure to the user.
namespace Report {

// "Είσοδος στη " followed by the edition title.
QString EntryTitle(const QString& appTitle);

// The coded layout: what happened, what to do, and the error's number and detail.
QString CodedPrompt(long number, const QString& detail);

void ReportCodedError(Dialogs& dialogs, const QString& appTitle, long number, const QString& detail);
void Refusal(Dialogs& dialogs, const QString& appTitle, const QString& sentence);
void MissingInstallation(Dialogs& dialogs, const QString& sentence);
void FailedAction(Dialogs& dialogs, const QString& title, const QString& prompt);
void PrintCommand(Dialogs& dialogs, const QString& text);
void Confirmation(Dialogs& dialogs, const QString& text);

// An error that no routine trapped.
QString UnhandledPrompt(long number, const QString& description);
void UnhandledError(Dialogs& dialogs, const QString& appTitle, long number, const QString& description);

} // namespace Report

// Runs an event handler under the top-level report: an error that the handler
// leaves untrapped is shown with its number and description, and the program
// goes on. Returns false when an error was reported.
bool RunEventHandler(Dialogs& dialogs, const QString& appTitle, const std::function<void()>& handler);
