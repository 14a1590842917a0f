#include "documents/Printing.h"

#include "documents/TableWidths.h"
#include "pages/PageBrowser.h"
#include "startup/AppError.h"
#include "startup/Dialogs.h"
#include "startup/ErrorReport.h"

#include <QPrinter>
#include <QTextEdit>
#include <QTextDocument>

bool PrintAfterDialog(Dialogs& dialogs, const QTextDocument& document, const QString& title)
{
    // Pages give their sizes in pixels, which a high-resolution printer would
    // take as its own dots: printed at screen resolution they keep their size.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setDocName(title);
    if (!dialogs.printDialog(printer))
        return false;
    // Tables shrunk to fit a view print at the widths the document gives them.
    const std::unique_ptr<QTextDocument> unfitted = UnfittedCopy(document);
    (unfitted ? *unfitted : document).print(&printer);
    if (printer.printerState() == QPrinter::Error)
        throw AppError(482, QStringLiteral("Printer error"));
    return true;
}

bool PrintEnabled(const PageBrowser& page)
{
    return !page.document()->isEmpty();
}

void BrowserPrint(Dialogs& dialogs, PageBrowser& page, bool enabled)
{
    if (!enabled) {
        Report::PrintCommand(dialogs, QStringLiteral("The Print command is currently disabled."));
        return;
    }
    page.Flush();
    PrintAfterDialog(dialogs, *page.document(), page.documentTitle());
}

void RunPrintCommand(Dialogs& dialogs, const std::function<void()>& command)
{
    try {
        command();
    } catch (const AppError& e) {
        Report::PrintCommand(dialogs, QStringLiteral("Print command Error: ") + e.description());
    } catch (const std::exception& e) {
        Report::PrintCommand(dialogs, QStringLiteral("Print command Error: ") + QString::fromLocal8Bit(e.what()));
    }
}

void PrintShownLaw(Dialogs& dialogs, QTextEdit& text, PageBrowser& page, PageBrowser& file, const QString& title)
{
    RunPrintCommand(dialogs, [&] {
        if (!text.isHidden()) {
            PrintAfterDialog(dialogs, *text.document(), title);
            return;
        }
        const bool enabled = PrintEnabled(!file.isHidden() ? file : page);
        if (!page.isHidden())
            BrowserPrint(dialogs, page, enabled);
        else if (!file.isHidden())
            BrowserPrint(dialogs, file, enabled);
    });
}
