#pragma once

#include <QString>

#include <functional>

class Dialogs;
class PageBrowser;
class QTextDocument;
class QTextEdit;

// Prints the document on the printer, or into the PDF file, the user chooses
// in the printer dialog, which shows every time. False when cancelled.
// Throws AppError when the printer fails.
bool PrintAfterDialog(Dialogs& dialogs, const QTextDocument& document, const QString& title);

// Whether a page view has anything to print: a blank page reports its print
// command disabled.
bool PrintEnabled(const PageBrowser& page);
// The print of a page view, given the state read before from whichever view
// the caller asked.
void BrowserPrint(Dialogs& dialogs, PageBrowser& page, bool enabled);

// The law a window shows: its text view when that shows, else its page or
// its html document view, the print state read from the document view
// when that shows. Errors are reported as the print command's.
void PrintShownLaw(Dialogs& dialogs, QTextEdit& text, PageBrowser& page, PageBrowser& file, const QString& title);

// Runs a print command: a cancelled dialog ends it silently, any other error
// is reported as the print command's error.
void RunPrintCommand(Dialogs& dialogs, const std::function<void()>& command);
