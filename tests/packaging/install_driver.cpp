// Runs the program's start-up as the installed program does, from beside it,
// and keeps laws in the history or reports the history it finds:
//   selvara_install_driver keep N     keeps the first N listed laws; prints their ids
//   selvara_install_driver list       prints the ids of the history list
#include "data/Database.h"
#include "mainwindow/FrmInitial.h"
#include "startup/DesktopPlatform.h"
#include "startup/Edition.h"
#include "startup/Program.h"
#include "startup/Regional.h"
#include "startup/Registry.h"

#include <QApplication>
#include <QListWidget>
#include <QLocale>
#include <QToolButton>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The same name as the program's: the same user folders.
    QApplication::setApplicationName(Edition::kBuiltTitle);
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();

    DesktopPlatform platform;
    if (!platform.installedFolder()) {
        std::fprintf(stderr, "not an installed layout: %s\n", qPrintable(platform.applicationFolder()));
        return 2;
    }
    // What the regional-settings window's repair stores for a new user.
    CreateRegKey(platform.registry(), Regional::kInternationalKey);
    for (const auto& [name, value] : RepairValues(QString(), false))
        platform.registry().setValue(Hive::CurrentUser, Regional::kInternationalKey, name, value);

    Program program(platform);
    if (!program.Main() || !program.frmInitial()) {
        std::fprintf(stderr, "the program did not start (status %d)\n", program.exitStatus());
        return 3;
    }
    FrmInitial& w = *program.frmInitial();
    AppState& state = program.state();
    if (mode == u"keep") {
        const int wanted = argc > 2 ? atoi(argv[2]) : 2;
        Recordset laws = state.gAdoConnection->execute(
            QStringLiteral("SELECT law_id FROM law WHERE title IS NOT NULL ORDER BY law_id"));
        for (int kept = 0; kept < wanted && !laws.eof(); ++kept, laws.moveNext()) {
            state.gMainActive = 1;
            state.gLawIdNomoi = laws.toLong(u"law_id");
            w.cmdpicsavewholelaw->click();
        }
    }
    for (int i = 0; i < w.lsthistory->count(); ++i)
        std::printf("%d\n", w.lsthistory->item(i)->data(Qt::UserRole).toInt());
    w.close();
    return 0;
}
