#include "startup/JetStartup.h"

#include "data/JetImport.h"
#include "startup/Dialogs.h"
#include "startup/Paths.h"
#include "startup/Platform.h"

#include <QFile>
#include <QFileInfo>

QString KeptJetName(const QString& appFolder)
{
    QString name = Paths::Join(appFolder, QStringLiteral("edudataD.jet.mdb"));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = Paths::Join(appFolder, QStringLiteral("edudataD.jet.%1.mdb").arg(n));
    return name;
}

bool OfferJetImport(Platform& platform, const QString& appTitle, const QString& appFolder)
{
    const QString database = Paths::Join(appFolder, Paths::kDatabaseFile);
    if (!JetImport::IsJetFile(database))
        return true;
    Dialogs& dialogs = platform.dialogs();
    platform.setHourglass(false);
    const MsgResult answer = dialogs.messageBox(
        {MsgIcon::Question, MsgButtons::YesNo, appTitle,
         QStringLiteral("Το αρχείο δεδομένων «edudataD.mdb» είναι βάση δεδομένων Access (Jet), όπως τη διανέμει ο "
                        "εκδότης της, και η εφαρμογή δεν τη διαβάζει απευθείας.\r\rΝα μετατραπεί τώρα; Το αρχικό "
                        "αρχείο θα φυλαχτεί ως «")
             + QFileInfo(KeptJetName(appFolder)).fileName() + QStringLiteral("».")});
    // Declined, the connection reports the file as it always did.
    if (answer != MsgResult::Yes)
        return true;
    if (platform.installedFolder()) {
        dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, appTitle,
                            QStringLiteral("Ο φάκελος της εφαρμογής «") + appFolder
                                + QStringLiteral("» δεν γράφεται. Μετατρέψτε το αρχείο με την εντολή selvara-import "
                                                 "και αντικαταστήστε το με το νέο.")});
        return false;
    }
    const QString imported = Paths::Join(appFolder, QStringLiteral("edudataD.imported.mdb"));
    QString message;
    platform.setHourglass(true);
    const bool ok = platform.importJetDatabase(database, imported, &message);
    platform.setHourglass(false);
    if (ok) {
        const QString kept = KeptJetName(appFolder);
        if (QFile::rename(database, kept)) {
            if (QFile::rename(imported, database))
                return true;
            QFile::rename(kept, database);
        }
        QFile::remove(imported);
        message = QStringLiteral("Τα αρχεία του φακέλου της εφαρμογής δεν μπορούν να μετονομαστούν.");
    }
    dialogs.messageBox({MsgIcon::Critical, MsgButtons::Ok, appTitle,
                        QStringLiteral("Η μετατροπή της βάσης δεδομένων δεν έγινε.\r\r") + message
                            + QStringLiteral("\r\rΤο αρχείο «edudataD.mdb» έμεινε όπως ήταν.")});
    return false;
}
