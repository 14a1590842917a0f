#include "mainwindow/FrmInitial.h"

#include "data/Database.h"
#include "documents/BlobWriter.h"
#include "documents/DocumentIcons.h"
#include "documents/DocumentSql.h"
#include "documents/HandedFiles.h"
#include "documents/OfficeApplication.h"
#include "mainwindow/Controls.h"
#include "pages/FrmHotBrowser.h"
#include "pages/PageBrowser.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QDir>
#include <QFileInfo>
#include <QToolButton>

void FrmInitial::ShowLawFile(qint32 LawId, bool HotBrowser)
{
    const QString c = SSTab1->Caption();
    PageBrowser* mainBrowser = nullptr;
    if (c == kTopics)
        mainBrowser = brwWebBrowser2;
    else if (c == kLegislation || c == kHistory)
        mainBrowser = brwWebBrowser3;
    FrmHotBrowser* viewer = HotBrowser ? &m_program.loadFrmHotBrowser() : nullptr;
    PageBrowser* page = viewer ? viewer->brwhotbrowser : mainBrowser;
    if (!page)
        return;

    const QString query = DocumentSql::LawDocument(LawId);
    QString type;
    {
        Recordset rs = m_state.gAdoConnection->openRecordset(query, CursorType::ForwardOnly);
        if (rs.eof())
            return;
        type = rs.value(u"BlobType").toString();
    }
    // The page of the law shown before must not stay under this law's name,
    // whether or not its document can be shown.
    m_state.gPageHtml.clear();
    page->Navigate(PageBrowser::kBlank);

    if (type == QLatin1String("rtf")) {
        if (mainBrowser)
            PlaceAtBottom(ProgressBar1, mainBrowser->geometry(), true);
        m_state.gBlobStartTime = SecondsSinceMidnight();
        const QString path = SaveBlobSubBodyFile(query, type, mainBrowser ? ProgressBar1 : nullptr);
        if (path.isEmpty())
            return;
        RichTextBox* box = viewer ? viewer->rtbhotBrowser : (c == kTopics ? rtbWordLawTopic : rtbWordLaw);
        try {
            box->setEnabled(true);
            box->LoadFile(path);
            box->setGeometry(page->geometry());
            box->setVisible(true);
            page->setVisible(false);
        } catch (...) {
            box->setVisible(false);
        }
    } else if (type == QLatin1String("html")) {
        const QString path = SaveBlobSubBodyFile(query, type, nullptr);
        if (path.isEmpty())
            return;
        PageBrowser* file = viewer ? viewer->brwFilehotbrowser : brwWebBrowserLawFile;
        try {
            file->setGeometry(page->geometry());
            file->setVisible(true);
            file->Navigate(path);
            page->setVisible(false);
        } catch (...) {
            file->setVisible(false);
        }
    }
}

void FrmInitial::ShowScheduleFile(qint32 id, QString& html)
{
    html.clear();
    // A template shown before stays on the page unless it is emptied here:
    // html documents and unknown kinds are written but given no view.
    brwWebBrowser2->Navigate(PageBrowser::kBlank);
    const QString query = DocumentSql::TemplateDocument(id);
    {
        Recordset rs = m_state.gAdoConnection->openRecordset(query, CursorType::ForwardOnly);
        if (rs.eof())
            return;
        const QVariant type = rs.value(u"BlobType");
        gDocumentType = type.isNull() ? QStringLiteral("rtf") : type.toString();
    }
    const QString path = SaveBlobSubBodyFile(query, gDocumentType, nullptr);
    if (path.isEmpty())
        return;

    m_platform.setHourglass(true);
    try {
        if (gDocumentType == QLatin1String("rtf")) {
            rtbWord->setEnabled(true);
            rtbWord->LoadFile(path);
            rtbWord->setGeometry(brwWebBrowser2->geometry());
            rtbWord->setVisible(true);
            brwWebBrowser2->setVisible(false);
        } else if (IsSpreadsheetType(gDocumentType)) {
            rtbWord->setVisible(false);
            brwWebBrowser2->setVisible(true);
            const QString opener = documentOpener(gDocumentType);
            html = QStringLiteral("<p>To υπόδειγμα που επιλέξατε να προβάλετε είναι ένα <b>αρχείο excel</b>.</p>")
                + QStringLiteral("<p>Για την προβολή του κάντε κλικ στην επιλογή <img src='") + m_state.gAppPath
                + QStringLiteral("/help/excel.ico' title='Προβολή Εγγράφου με  ") + opener.toHtmlEscaped()
                + QStringLiteral("'/>.</p>")
                + QStringLiteral("<i><b>Προσοχή!</b>Για την ορθή προβολή του εγγράφου θα πρέπει να υπαρχει εγκατάσταση "
                                 "του <u>")
                + opener.toHtmlEscaped() + QStringLiteral("</u> στον υπολογιστή σας.");
        } else {
            rtbWord->setVisible(false);
            brwWebBrowser2->setVisible(true);
            // Nothing of the document shows here: say where it does.
            html = QStringLiteral("<p>Το υπόδειγμα που επιλέξατε ανοίγει με το κουμπί «Προβολή εγγράφου» (")
                + documentOpener(gDocumentType).toHtmlEscaped() + QStringLiteral(").</p>");
        }
        if (m_state.gViewerPath.isEmpty()) {
            cmdpicWordlaw->setIcon(imListDocuments->picture(DocumentImageIndex(gDocumentType)));
            cmdpicWordlaw->setToolTip(QStringLiteral("Προβολή εγγράφου με ") + OfficeProgramName(gDocumentType));
        }
    } catch (...) {
        rtbWord->setVisible(false);
        brwWebBrowser2->setVisible(true);
    }
    m_platform.setHourglass(false);
}

QString FrmInitial::SaveBlobBodyFile(const QString& query)
{
    return WriteBlobFile(*m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobBody.rtf"));
}

QString FrmInitial::SaveBlobSubBodyFile(const QString& query, const QString& type, ProgressControl* progress)
{
    // The type becomes part of a file name: one that names a folder would
    // write outside the temporary folder.
    if (!IsSafeDocumentType(type))
        return QString();
    return WriteBlobFile(
        *m_state.gAdoConnection, query, m_state.gTempPath + QStringLiteral("BlobSubBody.") + type,
        [this, progress] {
            if (progress)
                UpdateBlobProgress(progress);
        },
        // The office program may hold the file that is about to be replaced.
        [this] { ReleaseOffice(m_state.gOfficeApp, m_state.gOfficeDocument); });
}

void FrmInitial::UpdateBlobProgress(ProgressControl* progress)
{
    const double elapsed = SecondsSinceMidnight() - m_state.gBlobStartTime;
    progress->UpdateStatus(BlobProgressFraction(elapsed), false);
}

bool FrmInitial::StartOfficeApplication(const QString& type, bool Visible)
{
    const bool excel = IsSpreadsheetType(type);
    m_state.gOfficeApp = OfficeApplication::CreateObject(
        excel ? QStringLiteral("Excel.Application") : QStringLiteral("Word.Application"), m_platform.officeProgram(),
        m_state.gTempPath + QStringLiteral("office-print-profile"));
    if (!m_state.gOfficeApp) {
        MessageRequest box;
        const QString install = QStringLiteral("\r\nΓια να την εγκαταστήσετε, εγκαταστήστε το πακέτο «")
            + OfficePackage(type) + QStringLiteral("» (sudo apt install ") + OfficePackage(type) + QStringLiteral(").");
        if (excel) {
            box.icon = MsgIcon::Critical;
            box.title = QStringLiteral("Ανεπιτυχής Προβολή Εγγράφου");
            box.prompt = QStringLiteral("Η Εφαρμογή ") + OfficeProgramName(type)
                + QStringLiteral(" δεν βρέθηκε στον Υπολογιστή σας.\r\n"
                                 "Αν υπάρχει εγκατάσταση της εφαρμογής, επιχειρστε να ορίσετε τη διαδρομή της "
                                 "από την επιλογή 'Ρυθμίσεις'.")
                + install;
        } else {
            box.prompt = QStringLiteral("Η Εφαρμογή ") + OfficeProgramName(type)
                + QStringLiteral(" δεν βρέθηκε στον Υπολογιστή σας.\r\n"
                                 "Αν υπάρχει εγκατάσταση της εφαρμογής ή θέλετε να ορίσετε διαφορετική εφαρμογή "
                                 "για το άνοιγμα των εγγράφων, επιχειρίστε να ορίσετε τη διαδρομή της από την "
                                 "επιλογή 'Ρυθμίσεις'.")
                + install;
        }
        m_platform.dialogs().messageBox(box);
        return false;
    }
    m_state.gOfficeApp->Visible = Visible;
    m_state.gOfficeApp->WindowState = 1;
    return true;
}

void FrmInitial::cmdpicWordlaw_Click()
{
    m_state.gLawId = m_state.gLawIdThemata;
    const QString file = m_state.gTempPath + QStringLiteral("BlobSubBody.") + gDocumentType;
    // With a viewer set, a template that was never written would reach the
    // viewer as a file that is not there.
    const bool nothingWritten = !m_state.gViewerPath.isEmpty() && (gDocumentType.isEmpty() || !QFileInfo::exists(file));
    if (m_state.gLawId == 0 || nothingWritten) {
        m_platform.dialogs().messageBox(
            {MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Προβολή Εγγράφου."),
             QStringLiteral("Δεν έχετε επιλέξει Έγγραφο για Προβολή. Για την προβολή του Εγγράφου πρέπει να επιλέξετε "
                            "πρώτα το σύνδεσμο του εγγράφου που θέλετε να προβάλλετε.")});
        return;
    }
    // The window gets a copy of its own: the next document written under the
    // same name, or the clean-up at exit, must not change what it shows.
    const auto handOver = [this, &file] {
        const QString copy = HandOverCopy(m_state.gTempPath, file);
        return copy.isEmpty() ? file : copy;
    };
    if (!m_state.gViewerPath.isEmpty()) {
        if (!StartViewer(m_state.gViewerPath, handOver()))
            m_platform.dialogs().messageBox(
                {MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Προβολή Εγγράφου."),
                 QStringLiteral("Δεν ήταν δυνατή η εκκίνηση του προγράμματος προβολής εγγράφων:\r") + m_state.gViewerPath
                     + QStringLiteral("\rΕλέγξτε τη θέση του στις Ρυθμίσεις.")});
        return;
    }
    ReleaseOffice(m_state.gOfficeApp, m_state.gOfficeDocument);
    if (gDocumentType.isEmpty())
        return;
    if (!StartOfficeApplication(gDocumentType, true))
        return;
    if (IsSpreadsheetType(gDocumentType)) {
        m_state.gOfficeDocument = m_state.gOfficeApp->WorkBooksAdd(handOver());
    } else {
        m_state.gOfficeDocument = m_state.gOfficeApp->DocumentsOpen(handOver());
        if (m_state.gOfficeDocument)
            m_state.gOfficeDocument->Activate();
    }
}

QString FrmInitial::documentOpener(const QString& type) const
{
    if (!m_state.gViewerPath.isEmpty())
        return QFileInfo(m_state.gViewerPath).fileName();
    return OfficeProgramName(type);
}

void FrmInitial::DeleteTempFiles()
{
    ReleaseOffice(m_state.gOfficeApp, m_state.gOfficeDocument);
    QDir temp(m_state.gTempPath);
    // The office program, ended rather than closed, leaves its lock files.
    for (const QString& pattern : {QStringLiteral("BlobSubBody.*"), QStringLiteral("BlobBody.*"),
                                   QStringLiteral(".~lock.BlobSubBody.*#"), QStringLiteral(".~lock.BlobBody.*#")})
        for (const QString& name : temp.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System))
            temp.remove(name);
}
