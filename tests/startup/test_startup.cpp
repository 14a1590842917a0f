// Start-up from the first step to the main window, and every way it ends early.
#include "mainwindow/FrmInitial.h"
#include "startup/AppError.h"
#include "startup/DesktopPlatform.h"
#include "startup/Edition.h"
#include "startup/ErrorReport.h"
#include "startup/FrmWait.h"
#include "startup/FrmWrongRegionalSettings.h"
#include "startup/FrmWrongVersion.h"
#include "startup/Paths.h"
#include "startup/Program.h"
#include "startup/VersionGate.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QString kCodedNotFound = QStringLiteral(
    "Προσοχή!\r\rΣημειώθηκε σφάλμα στα αρχεία του συστήματος!\r\r"
    "Σημειώστε τον κωδικό λάθους και επικοινωνήστε με τον ΖΕΛΚΟΡ!\r\r"
    "Κωδικός Λάθους: 3024 - Δεν βρέθηκε η Βάση Δεδομένων της εφαρμογής");

class StartupTest : public ::testing::Test {
protected:
    QString dbPath() const { return QDir(platform.appFolder).filePath(QStringLiteral("edudataD.mdb")); }

    void createDatabase()
    {
        TestDatabase::Create(dbPath(),
            QStringLiteral("INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES (1, 'Νόμοι', 1, -1);"
                           "INSERT INTO system_law_parameters VALUES (1);"));
    }

    void writeTextFile(const QString& path)
    {
        QFile::remove(path);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("not a database, just some text\n").repeated(64));
    }

    // Runs start-up, recording the steps it began.
    bool runMain()
    {
        program.setStepObserver([this](int step) {
            steps.append(step);
            if (onStep)
                onStep(step);
        });
        return program.Main();
    }

    TestPlatform platform;
    Program program{platform};
    QList<int> steps;
    std::function<void(int)> onStep;
};

QList<int> range(int from, int to)
{
    QList<int> r;
    for (int i = from; i <= to; ++i)
        r.append(i);
    return r;
}

} // namespace

TEST_F(StartupTest, ReachesTheMainWindowThroughEveryStepInOrder)
{
    createDatabase();
    ASSERT_TRUE(runMain());

    EXPECT_EQ(steps, range(1, 18));
    EXPECT_TRUE(platform.recorder.messages.isEmpty());
    EXPECT_TRUE(platform.recorder.modalWindows.isEmpty());
    ASSERT_NE(program.frmInitial(), nullptr);
    EXPECT_TRUE(program.frmInitial()->isVisible());
    EXPECT_EQ(program.frmInitial()->windowTitle(), QStringLiteral("Selvara  ") + Edition::kMakersMark);
    EXPECT_EQ(program.frmWait(), nullptr);
    EXPECT_FALSE(platform.hourglass);

    const AppState& st = program.state();
    EXPECT_EQ(st.gAppTitle, QStringLiteral("Selvara"));
    EXPECT_EQ(st.gAppPath, platform.appFolder);
    EXPECT_EQ(st.gDbPath, dbPath());
    EXPECT_TRUE(st.gDbEnabled);
    ASSERT_TRUE(st.gAdoConnection);
    EXPECT_TRUE(st.gAdoConnection->isOpen());
    // The test opening is closed again by the main window's load.
    EXPECT_FALSE(st.gDaoDatabase);
    EXPECT_EQ(st.gLawIdThemata, 0);
    EXPECT_EQ(st.gLawIdNomoi, 0);
    EXPECT_EQ(st.gLawIdOrganogramma_P, 0);
    EXPECT_EQ(st.gLawIdHotBrowser, 0);
    EXPECT_EQ(st.gLawNodeKind, QString());
    EXPECT_EQ(st.gDecimalSep, QStringLiteral(","));
    EXPECT_EQ(st.gThousandSep, QStringLiteral("."));
}

TEST_F(StartupTest, TheWaitWindowIsUpWhileTheDatabaseOpens)
{
    createDatabase();
    bool waitShownAtConnection = false;
    bool hourglassAtConnection = false;
    onStep = [&](int step) {
        if (step == 12) {
            waitShownAtConnection = program.frmWait() && program.frmWait()->isVisible();
            hourglassAtConnection = platform.hourglass;
        }
    };
    ASSERT_TRUE(runMain());
    EXPECT_TRUE(waitShownAtConnection);
    EXPECT_TRUE(hourglassAtConnection);
}

TEST_F(StartupTest, ASecondInstanceIsRefusedWithoutTouchingTheDatabase)
{
    createDatabase();
    platform.otherInstanceRunning = true;
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::SecondInstance);
    EXPECT_NE(program.exitStatus(), 0);
    EXPECT_EQ(steps.last(), 6);
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    const MessageRequest& m = platform.recorder.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::Exclamation);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.title, QStringLiteral("Είσοδος στη Selvara"));
    EXPECT_EQ(m.prompt, QStringLiteral("Η εφαρμογή \"τρέχει\" ήδη!"));
    EXPECT_FALSE(program.state().gAdoConnection);
    EXPECT_EQ(program.frmWait(), nullptr);
}

TEST_F(StartupTest, UnsuitableRegionalSettingsHandOverToTheirWindow)
{
    createDatabase();
    platform.locale = TestPlatform::CLocale();
    bool waitEverShown = false;
    onStep = [&](int) { waitEverShown = waitEverShown || program.frmWait(); };
    EXPECT_TRUE(runMain());
    EXPECT_EQ(steps.last(), 7);
    ASSERT_NE(program.frmWrongRegionalSettings(), nullptr);
    EXPECT_TRUE(program.frmWrongRegionalSettings()->isVisible());
    EXPECT_FALSE(waitEverShown);
    EXPECT_FALSE(program.state().gAdoConnection);
    EXPECT_EQ(program.frmInitial(), nullptr);
    EXPECT_TRUE(platform.recorder.messages.isEmpty());

    program.frmWrongRegionalSettings()->cmdExit_Click();
    EXPECT_EQ(platform.endedWith, QList<int>{ExitStatus::RegionalSettings});
}

TEST_F(StartupTest, AMissingDatabaseFileIsReportedBeforeAnyOpening)
{
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::DataMissing);
    EXPECT_EQ(steps.last(), 11);
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    const MessageRequest& m = platform.recorder.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.title, QString());
    EXPECT_EQ(m.prompt, QStringLiteral("Δεν βρέθηκαν τα δεδομένα της εφαρμογής! Βεβαιωθείτε ότι έχετε εκτελέσει το πρόγραμμα εγκατάστασης Setup"));
    EXPECT_FALSE(program.state().gAdoConnection);
    EXPECT_EQ(program.frmWait(), nullptr);
    EXPECT_FALSE(platform.hourglass);
    EXPECT_FALSE(QFile::exists(dbPath()));
}

TEST_F(StartupTest, ATextFileNamedLikeTheDatabaseFailsAtTheConnection)
{
    writeTextFile(dbPath());
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::ConnectionFailed);
    EXPECT_EQ(steps.last(), 12);
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    const MessageRequest& m = platform.recorder.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.title, QStringLiteral("Selvara"));
    EXPECT_TRUE(m.prompt.startsWith(QStringLiteral("Σφάλμα εκτέλεσης '26':\r\r"))) << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains(QStringLiteral("not a database")));
    EXPECT_EQ(program.frmWait(), nullptr);
    EXPECT_EQ(program.frmInitial(), nullptr);
}

TEST_F(StartupTest, AFileGoneBeforeTheTestOpeningGivesTheCodedReport3024)
{
    createDatabase();
    onStep = [&](int step) {
        if (step == 14)
            QFile::remove(dbPath());
    };
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::TestOpeningFailed);
    EXPECT_EQ(steps.last(), 19);
    EXPECT_FALSE(steps.contains(16));
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    const MessageRequest& m = platform.recorder.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_EQ(m.buttons, MsgButtons::Ok);
    EXPECT_EQ(m.title, QStringLiteral("Είσοδος στη Selvara"));
    EXPECT_EQ(m.prompt, kCodedNotFound);
    EXPECT_FALSE(platform.hourglass);
    EXPECT_EQ(program.frmWait(), nullptr);
    EXPECT_EQ(program.frmInitial(), nullptr);
}

TEST_F(StartupTest, AnyOtherTestOpeningFailureShowsItsOwnNumberAndDescription)
{
    createDatabase();
    onStep = [&](int step) {
        if (step == 14)
            writeTextFile(dbPath());
    };
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::TestOpeningFailed);
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    const QString prompt = platform.recorder.messages[0].prompt;
    EXPECT_TRUE(prompt.startsWith(QStringLiteral("Προσοχή!\r\r")));
    EXPECT_TRUE(prompt.contains(QStringLiteral("\r\rΚωδικός Λάθους: 26 - "))) << prompt.toStdString();
    EXPECT_TRUE(prompt.endsWith(QStringLiteral("file is not a database"))) << prompt.toStdString();
}

TEST_F(StartupTest, ADatabaseOfTheWrongVersionIsRefusedWithItsWindow)
{
    TestDatabase::Create(dbPath(), QStringLiteral("DROP TABLE LAWTYPE;"));
    bool waitGoneBeforeWindow = false;
    platform.recorder.onModal = [&](QDialog& dialog) {
        waitGoneBeforeWindow = program.frmWait() == nullptr;
        auto* window = qobject_cast<FrmWrongVersion*>(&dialog);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Selvara ") + Edition::kMakersMark);
        EXPECT_EQ(window->lbApplication[0]->text(), QStringLiteral("Selvara"));
        window->cmdExit->click();
    };
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::WrongVersion);
    EXPECT_EQ(platform.recorder.modalWindows, QStringList{QStringLiteral("frmWrongVersion")});
    EXPECT_TRUE(waitGoneBeforeWindow);
    EXPECT_EQ(program.frmInitial(), nullptr);
    EXPECT_TRUE(platform.recorder.messages.isEmpty());
}

TEST(VersionGate, OnlyTheTestQueryCounts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("v.mdb"));
    Database db(QStringLiteral("version"));

    TestDatabase::Create(path);
    db.open(path, false);
    EXPECT_TRUE(DatabaseVersionOk(db)) << "an empty type table still passes";
    db.close();

    TestDatabase::Create(path, QStringLiteral("ALTER TABLE LAWTYPE RENAME COLUMN type_id TO kind_id;"));
    db.open(path, false);
    EXPECT_FALSE(DatabaseVersionOk(db));
    db.close();

    TestDatabase::Create(path, QStringLiteral("DROP TABLE LAWTYPE;"));
    db.open(path, false);
    EXPECT_FALSE(DatabaseVersionOk(db));
}

TEST(WrongVersionWindow, ItsTextBreaksWhereTheBlanksRunLong)
{
    const QString text = FrmWrongVersion::ToolTipText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Λανθασμένη Έκδοση της εφαρμογής!") + QString(205, u' ') + QStringLiteral("Επιχειρήσατε να \"ανοίξετε\" την")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("από την 2.9") + QString(131, u' ') + QStringLiteral("Παρακαλούμε εγκαταστήστε την έκδοση 2.9 ή μία μεταγενέστερη")));
    FrmWrongVersion window(QStringLiteral("Selvara"));
    EXPECT_EQ(window.lbToolTip->text().count(u'\n'), 2);
    EXPECT_EQ(window.cmdExit->text(), QStringLiteral("Κλείσιμο"));
}

TEST(WaitWindow, Texts)
{
    FrmWait wait;
    EXPECT_EQ(wait.windowTitle(), QStringLiteral("Παρακαλώ Περιμένετε . . ."));
    EXPECT_EQ(wait.lblWait->text(), QStringLiteral("Παρακαλώ περιμένετε..."));
}

TEST(DatabasePath, OneSeparatorBetweenFolderAndFile)
{
    EXPECT_EQ(Paths::Join(QStringLiteral("C:\\"), QStringLiteral("edudataD.mdb")), QStringLiteral("C:\\edudataD.mdb"));
    EXPECT_EQ(Paths::Join(QStringLiteral("/"), QStringLiteral("edudataD.mdb")), QStringLiteral("/edudataD.mdb"));
    EXPECT_EQ(Paths::Join(QStringLiteral("/opt/selvara"), QStringLiteral("edudataD.mdb")),
              QStringLiteral("/opt/selvara") + QDir::separator() + QStringLiteral("edudataD.mdb"));
    EXPECT_EQ(Paths::Join(QStringLiteral("/opt"), QStringLiteral("\\TARVOD")), QStringLiteral("/opt") + QDir::separator() + QStringLiteral("TARVOD"));
}

TEST(DesktopPlatform, OneInstanceHoldsTheLock)
{
    auto first = std::make_unique<DesktopPlatform>();
    DesktopPlatform second;
    ASSERT_TRUE(first->acquireInstanceLock());
    EXPECT_FALSE(second.acquireInstanceLock());
    first.reset();
    EXPECT_TRUE(second.acquireInstanceLock()) << "the lock goes with the instance that held it";
}

#ifndef Q_OS_WIN
// Documents are written under fixed names: the folder must be the user's
// alone, never one another user could have planted as a link.
TEST(DesktopPlatform, TemporaryFilesGoToAFolderOfTheUsersOwn)
{
    QTemporaryDir runtime;
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    DesktopPlatform platform;
    const QString own = runtime.filePath(QStringLiteral("selvara")) + QDir::separator();
    EXPECT_EQ(platform.tempFolder(), own);
    EXPECT_EQ(QFile::permissions(own), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser
                                           | QFile::WriteUser | QFile::ExeUser);

    QTemporaryDir elsewhere;
    QTemporaryDir planted;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(planted.path()));
    ASSERT_TRUE(QFile::link(elsewhere.path(), planted.filePath(QStringLiteral("selvara"))));
    EXPECT_FALSE(platform.tempFolder().startsWith(planted.path()));
    EXPECT_FALSE(platform.tempFolder().startsWith(elsewhere.path()));
    if (saved.isNull())
        qunsetenv("XDG_RUNTIME_DIR");
    else
        qputenv("XDG_RUNTIME_DIR", saved);
}
#endif

TEST(EventHandlers, AnUntrappedErrorIsReportedAndTheProgramGoesOn)
{
    RecordingDialogs dialogs;
    bool after = false;
    EXPECT_FALSE(RunEventHandler(dialogs, QStringLiteral("Selvara"), [] { throw AppError(3021, QStringLiteral("No current record.")); }));
    EXPECT_TRUE(RunEventHandler(dialogs, QStringLiteral("Selvara"), [&] { after = true; }));
    EXPECT_TRUE(after);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Selvara"));
    EXPECT_EQ(dialogs.messages[0].prompt, QStringLiteral("Σφάλμα εκτέλεσης '3021':\r\rNo current record."));
}

TEST(Reports, FormsAndLineBreaks)
{
    EXPECT_EQ(Report::CodedPrompt(-5, QStringLiteral("x")).right(22), QStringLiteral("Κωδικός Λάθους: -5 - x"));
    EXPECT_EQ(PromptForDisplay(QStringLiteral("a\r\rb\r\nc")), QStringLiteral("a\n\nb\nc"));
    RecordingDialogs dialogs;
    Report::FailedAction(dialogs, QStringLiteral("Ανεπιτυχής Αποθήκευση"), QStringLiteral("γιατί"));
    Report::PrintCommand(dialogs, QStringLiteral("The Print command is currently disabled."));
    Report::Confirmation(dialogs, QStringLiteral("ok"));
    ASSERT_EQ(dialogs.messages.size(), 3);
    EXPECT_EQ(dialogs.messages[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Ανεπιτυχής Αποθήκευση"));
    EXPECT_EQ(dialogs.messages[1].icon, MsgIcon::None);
    EXPECT_EQ(dialogs.messages[1].title, QString());
    EXPECT_EQ(dialogs.messages[2].icon, MsgIcon::None);
}

namespace {

const QString kJetSamples = QStringLiteral(SELVARA_JET_SAMPLES);

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(StartupTest, AJetFileIsImportedOnRequestAndTheOriginalKept)
{
    // Any Jet file will do: the importer is stood in for by a copy of a
    // database of the program's own.
    if (!QFile::exists(kJetSamples + QStringLiteral("/DateTestDatabase.mdb")))
        GTEST_SKIP() << "no Jet samples at " << kJetSamples.toStdString();
    const QString prepared = QDir(platform.appFolder).filePath(QStringLiteral("prepared.db"));
    TestDatabase::Create(prepared, QStringLiteral("INSERT INTO system_law_parameters VALUES (1);"));
    ASSERT_TRUE(QFile::copy(kJetSamples + QStringLiteral("/DateTestDatabase.mdb"), dbPath()));
    QFile::setPermissions(dbPath(), QFile::ReadOwner | QFile::WriteOwner);
    // An older kept original stays as it was.
    const QString older = QDir(platform.appFolder).filePath(QStringLiteral("edudataD.jet.mdb"));
    ASSERT_TRUE(QFile::copy(dbPath(), older));
    const QByteArray original = fileBytes(dbPath());
    platform.recorder.onMessage = [](const MessageRequest& r) {
        return r.buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
    };
    platform.onImportJet = [&](const QString&, const QString& output, QString*) { return QFile::copy(prepared, output); };
    EXPECT_TRUE(runMain());
    ASSERT_EQ(platform.recorder.messages.size(), 1);
    EXPECT_TRUE(platform.recorder.messages[0].prompt.contains(QStringLiteral("edudataD.jet.2.mdb")));
    EXPECT_NE(program.frmInitial(), nullptr);
    EXPECT_EQ(fileBytes(QDir(platform.appFolder).filePath(QStringLiteral("edudataD.jet.2.mdb"))), original);
    EXPECT_EQ(fileBytes(dbPath()), fileBytes(prepared));
}

TEST_F(StartupTest, AJetFileWithoutTheProgramsTablesIsRefusedAndLeftInPlace)
{
    if (!QFile::exists(kJetSamples + QStringLiteral("/nwind.mdb")))
        GTEST_SKIP() << "no Jet samples at " << kJetSamples.toStdString();
    ASSERT_TRUE(QFile::copy(kJetSamples + QStringLiteral("/nwind.mdb"), dbPath()));
    const QByteArray original = fileBytes(dbPath());
    platform.recorder.onMessage = [](const MessageRequest& r) {
        return r.buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
    };
    EXPECT_FALSE(runMain());
    EXPECT_EQ(program.exitStatus(), ExitStatus::ConnectionFailed);
    ASSERT_EQ(platform.recorder.messages.size(), 2);
    EXPECT_TRUE(platform.recorder.messages[1].prompt.contains(QStringLiteral("Λείπουν: abstract")));
    EXPECT_EQ(fileBytes(dbPath()), original);
    EXPECT_EQ(QDir(platform.appFolder).entryList({QStringLiteral("edudataD.*")}, QDir::Files), QStringList{QStringLiteral("edudataD.mdb")});
}

TEST_F(StartupTest, AFailedImportEndsStartUpWithTheOriginalInPlace)
{
    if (!QFile::exists(kJetSamples + QStringLiteral("/nwind.mdb")))
        GTEST_SKIP() << "no Jet samples at " << kJetSamples.toStdString();
    const QByteArray cut = fileBytes(kJetSamples + QStringLiteral("/nwind.mdb")).left(1000000);
    QFile f(dbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(cut);
    f.close();
    platform.recorder.onMessage = [](const MessageRequest& r) {
        return r.buttons == MsgButtons::YesNo ? MsgResult::Yes : MsgResult::Ok;
    };
    EXPECT_FALSE(runMain());
    ASSERT_EQ(platform.recorder.messages.size(), 2);
    EXPECT_TRUE(platform.recorder.messages[1].prompt.contains(QStringLiteral("κατεστραμμένο")));
    EXPECT_EQ(fileBytes(dbPath()), cut);
    EXPECT_EQ(QDir(platform.appFolder).entryList({QStringLiteral("edudataD.*")}, QDir::Files), QStringList{QStringLiteral("edudataD.mdb")});
}
