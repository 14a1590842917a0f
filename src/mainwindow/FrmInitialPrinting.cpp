#include "mainwindow/FrmInitial.h"

#include "documents/DocumentIcons.h"
#include "documents/OfficeApplication.h"
#include "documents/LawPrintLabel.h"
#include "documents/Printing.h"
#include "mainwindow/Controls.h"
#include "pages/PageBrowser.h"
#include "startup/AppError.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QPrinter>
#include <QPrinterInfo>

void FrmInitial::cmdpiclaw_Click()
{
    m_state.gLawId = m_state.gLawIdThemata;
    if (m_state.gLawId == 0) {
        m_platform.dialogs().messageBox(
            {MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Εκτύπωση Νομοθετήματος."),
             QStringLiteral("Δεν έχετε επιλέξει Νομοθέτημα για εκτύπωση.Για την εκτύπωση του Νομοθετήματος πρέπει να "
                            "επιλέξετε πρώτα το σύνδεσμο του Νομοθετήματος που θέλετε να εκτυπώσετε.")});
        return;
    }
    if (isScheduleCaption(SSTab1->Caption()))
        printTemplate();
    else
        printLaw(m_state.gLawIdThemata, *rtbWordLawTopic, *brwWebBrowser2);
}

void FrmInitial::cmdpiclawhist_Click()
{
    printLaw(SSTab1->Caption() == kHistory ? historyLawId() : m_state.gLawIdNomoi, *rtbWordLaw, *brwWebBrowser3);
}

void FrmInitial::printLaw(qint32 lawId, QTextEdit& text, PageBrowser& page)
{
    PrintLabel label = LawPrintLabel(*m_state.gAdoConnection, m_platform.registry(), lawId);
    PrintShownLaw(m_platform.dialogs(), text, page, *brwWebBrowserLawFile, m_state.gAppTitle, &label);
    KeepPdfFolder(m_platform.registry(), label);
}

void FrmInitial::cmdpicprintabstr_Click()
{
    Dialogs& dialogs = m_platform.dialogs();
    RunPrintCommand(dialogs, [&] { BrowserPrint(dialogs, *brwWebBrowser1, PrintEnabled(*brwWebBrowser1)); });
}

void FrmInitial::printTemplate()
{
    if (gDocumentType.isEmpty())
        return;
    ReleaseOffice(m_state.gOfficeApp, m_state.gOfficeDocument);
    if (!StartOfficeApplication(gDocumentType, false))
        return;
    Dialogs& dialogs = m_platform.dialogs();
    RunPrintCommand(dialogs, [&] {
        // The office program takes seconds to start and print.
        struct Pointer {
            Platform& platform;
            ~Pointer() { platform.setHourglass(false); }
        } pointer{m_platform};
        // Whatever happens, the print's references go when it is done; its
        // headless instance has ended by then, and the user's windows stay.
        struct Release {
            AppState& state;
            ~Release() { ReleaseOffice(state.gOfficeApp, state.gOfficeDocument); }
        } release{m_state};

        const QString file = m_state.gTempPath + QStringLiteral("BlobSubBody.") + gDocumentType;
        const bool sheet = IsSpreadsheetType(gDocumentType);
        m_state.gOfficeDocument = sheet ? m_state.gOfficeApp->WorkBooksAdd(file) : m_state.gOfficeApp->DocumentsOpen(file);
        m_state.gOfficeDocument->Activate();
        // Spreadsheets print on the default printer; on a machine without one
        // the dialog still lets the user keep them as a PDF file.
        QPrinter printer;
        const bool ask = !sheet || QPrinterInfo::defaultPrinter().isNull();
        if (ask && !dialogs.printDialog(printer))
            return;
        m_platform.setHourglass(true);
        const bool toFile = ask && printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
        const bool done = toFile ? m_state.gOfficeDocument->ExportPdf(printer.outputFileName())
                                 : m_state.gOfficeDocument->PrintOut(ask ? printer.printerName() : QString());
        if (!done)
            throw AppError(482, QStringLiteral("Το πρόγραμμα γραφείου δεν μπόρεσε να εκτυπώσει το υπόδειγμα."));
    });
}
