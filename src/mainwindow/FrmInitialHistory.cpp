#include "mainwindow/FrmInitial.h"

#include "data/Database.h"
#include "history/HistoryFile.h"
#include "history/HistorySql.h"
#include "mainwindow/Controls.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "startup/Platform.h"
#include "startup/Program.h"

#include <QFile>
#include <QListWidget>
#include <QSignalBlocker>

qint32 FrmInitial::historyLawId() const
{
    const QListWidgetItem* entry = lsthistory->currentItem();
    return entry && entry->isSelected() ? entry->data(Qt::UserRole).toInt() : 0;
}

HistoryStore FrmInitial::historyStore() const
{
    return HistoryStore(m_platform.installedFolder() ? QString() : m_state.gAppPath, m_platform.userDataFolder());
}

void FrmInitial::LoadHistory()
{
    const Database::ReadTransaction reading(*m_state.gAdoConnection);
    bool opened = false;
    bool whole = true;
    bool complete = true;
    const QString path = historyStore().loadPath();
    const QStringList lines = ReadHistoryLines(path, &opened, &whole);
    if (!opened)
        return;
    const QSignalBlocker quiet(lsthistory);
    for (const auto& [title, id] : HistoryEntries(*m_state.gAdoConnection, lines, &complete)) {
        auto* entry = new QListWidgetItem(title, lsthistory);
        entry->setData(Qt::UserRole, id);
    }
    // What the list could not take must survive the next save.
    if (!whole || !complete)
        m_historyToKeep = path;
}

void FrmInitial::save_history()
{
    QList<qint32> ids;
    for (int i = 0; i < lsthistory->count(); ++i)
        ids.append(lsthistory->item(i)->data(Qt::UserRole).toInt());
    if (!m_historyToKeep.isEmpty()) {
        // Renamed, not copied: a damaged file may be huge (or sparse), and
        // the list is written anew in its place below.
        const QString backup = m_historyToKeep + QStringLiteral(".bak");
        QFile::remove(backup);
        QFile::rename(m_historyToKeep, backup);
        m_historyToKeep.clear();
    }
    if (!historyStore().save(ids))
        m_platform.dialogs().messageBox(
            {MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Αποθήκευση του Ιστορικού"),
             QStringLiteral("Το Ιστορικό δεν ήταν δυνατό να αποθηκευτεί, ούτε στον φάκελο της εφαρμογής ούτε στον "
                            "προσωπικό φάκελο δεδομένων σας: ο δίσκος είναι γεμάτος ή δεν επιτρέπεται η εγγραφή.\r"
                            "Το αρχείο που υπήρχε έμεινε όπως ήταν· οι αλλαγές του Ιστορικού ισχύουν μόνο μέχρι να "
                            "κλείσει η εφαρμογή.")});
}

void FrmInitial::keepInHistory()
{
    for (int i = 0; i < lsthistory->count(); ++i) {
        if (lsthistory->item(i)->data(Qt::UserRole).toInt() == m_state.gLawId) {
            m_platform.dialogs().messageBox({MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Αποθήκευση"),
                                             QStringLiteral("Υπάρχει ήδη αποθηκευμένο το τρέχον Νομοθέτημα στο Ιστορικό")});
            return;
        }
    }
    {
        Recordset rs = m_state.gAdoConnection->execute(HistorySql::TitleForSave(m_state.gLawId));
        const QSignalBlocker quiet(lsthistory);
        while (!rs.eof()) {
            auto* entry = new QListWidgetItem(rs.text(u"title"), lsthistory);
            entry->setData(Qt::UserRole, m_state.gLawId);
            rs.moveNext();
        }
    }
    // Written at once, so a crash or a killed program loses nothing kept.
    save_history();
}

void FrmInitial::cmdpichistory_Click()
{
    m_state.gLawId = m_state.gLawIdThemata;
    if (m_state.gLawId == 0) {
        m_platform.dialogs().messageBox(
            {MsgIcon::Critical, MsgButtons::Ok, QStringLiteral("Ανεπιτυχής Αποθήκευση στο Ιστορικό"),
             QStringLiteral("Δεν έχετε επιλέξει Νομοθέτημα για αποθήκευση.Για αποθήκευση Νομοθετήματος στο Ιστορικό "
                            "πρέπει να επιλέξετε πρώτα το σύνδεσμο του Νομοθετήματος που θέλετε να αποθηκεύσετε")});
        return;
    }
    if (gAbstract == 0 || gScheduleAbstract == 0)
        return;
    keepInHistory();
}

void FrmInitial::cmdpicsavewholelaw_Click()
{
    if (m_state.gMainActive == 1)
        m_state.gLawId = m_state.gLawIdNomoi;
    if (m_state.gHotBrowserActive == 1)
        m_state.gLawId = m_state.gLawIdHotBrowser;
    if (m_state.gLawId == 0)
        return;
    keepInHistory();
}

void FrmInitial::lsthistory_Click()
{
    if (!historyLawId()) {
        brwWebBrowser3->Navigate(PageBrowser::kBlank);
        return;
    }
    if (wIsSchedule)
        navigate_to_hotbrowserSchedule(QStringLiteral("history"));
    else
        navigate_to_hotbrowser(QStringLiteral("history"), false);
    if (!m_state.gPageHtml.isEmpty()) {
        m_state.gPageHtml = RewriteImageSources(m_state.gPageHtml, m_state.gAppPath);
        brwWebBrowser3->SetBodyHtml(m_state.gPageHtml);
        set_style(*brwWebBrowser3);
    }
}

void FrmInitial::Cmddelete_Click()
{
    QListWidgetItem* entry = lsthistory->currentItem();
    if (!entry || !entry->isSelected())
        return;
    {
        const QSignalBlocker quiet(lsthistory);
        delete entry;
    }
    save_history();
    if (!brwWebBrowserLawFile->isHidden()) {
        brwWebBrowserLawFile->Navigate(PageBrowser::kBlank);
        brwWebBrowserLawFile->setVisible(false);
    } else if (!rtbWordLaw->isHidden()) {
        rtbWordLaw->setPlainText(QString());
        rtbWordLaw->setVisible(false);
    }
    brwWebBrowser3->setVisible(true);
    brwWebBrowser3->update();
}
