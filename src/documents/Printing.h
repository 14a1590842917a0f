#pragma once

#include <QString>

#include <functional>

class Dialogs;
class PageBrowser;
class QTextDocument;
class QTextEdit;

// What a printed law carries beside its text.
struct PrintLabel {
    // The running header, the law's number and title; every page also gets
    // "Σελίδα N από M" below. Empty: the document prints as it is.
    QString heading;
    // In: the folder the PDF file is proposed in (empty: the dialog's own);
    // out: the folder of the PDF file the user chose, if one.
    QString pdfFolder;
};

// Prints the document on the printer, or into the PDF file, the user chooses
// in the printer dialog, which shows every time. False when cancelled.
// Throws AppError when the printer fails.
bool PrintAfterDialog(Dialogs& dialogs, const QTextDocument& document, const QString& title,
                      PrintLabel* label = nullptr);

// A file name for the PDF of a heading: "Ν. 4823/2021 — Εκδρομές" gives
// "Ν. 4823-2021 Εκδρομές.pdf", with what a file name cannot hold replaced.
QString PdfFileName(const QString& heading);

// The pages of the document with the running header and the page footer.
void PrintWithHeading(class QPrinter& printer, const QTextDocument& document, const QString& heading);

// Whether a page view has anything to print: a blank page reports its print
// command disabled.
bool PrintEnabled(const PageBrowser& page);
// The print of a page view, given the state read before from whichever view
// the caller asked.
void BrowserPrint(Dialogs& dialogs, PageBrowser& page, bool enabled, PrintLabel* label = nullptr);

// The law a window shows: its text view when that shows, else its page or
// its html document view, the print state read from the document view
// when that shows. Errors are reported as the print command's.
void PrintShownLaw(Dialogs& dialogs, QTextEdit& text, PageBrowser& page, PageBrowser& file, const QString& title,
                   PrintLabel* label = nullptr);

// Runs a print command: a cancelled dialog ends it silently, any other error
// is reported as the print command's error.
void RunPrintCommand(Dialogs& dialogs, const std::function<void()>& command);
