#include "startup/Program.h"

#include "accessibility/AccessibleNames.h"
#include "data/Database.h"
#include "fulltext/FrmFullText.h"
#include "fulltext/FullTextService.h"

#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/FrmHotBrowser.h"
#include "pages/ReadingTools.h"
#include "pages/Zoom.h"
#include "windows/FrmAbout.h"
#include "windows/FrmHelp.h"
#include "windows/FrmIZelkor.h"
#include "windows/FrmSetSysParam.h"
#include "windows/FrmSystemInfo.h"
#include "startup/AppError.h"
#include "startup/Edition.h"
#include "startup/ErrorReport.h"
#include "startup/FrmWait.h"
#include "startup/FrmWrongRegionalSettings.h"
#include "startup/FrmWrongVersion.h"
#include "startup/JetStartup.h"
#include "startup/Paths.h"
#include "startup/Regional.h"
#include "startup/VersionGate.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString kDaoWorkspaceName = QStringLiteral("Zodidod");
const QString kConnectionName = QStringLiteral("gAdoConnection");

template <class T>
T& LoadWindow(std::unique_ptr<T>& slot, Program& program)
{
    if (slot && slot->unloaded())
        slot.reset();
    if (!slot)
        slot = std::make_unique<T>(program);
    return *slot;
}

template <class T>
T* OpenWindow(const std::unique_ptr<T>& slot)
{
    return slot && !slot->unloaded() ? slot.get() : nullptr;
}

template <class T>
void UnloadWindow(std::unique_ptr<T>& slot)
{
    if (!slot)
        return;
    if (!slot->unloaded())
        slot->close();
    slot.reset();
}

} // namespace

bool OpenDatabaseConnection(AppState& state, bool readOnly)
{
    state.gDbPath = Paths::Join(state.gAppPath, Paths::kDatabaseFile);
    state.gAdoConnection = std::make_unique<Database>(kConnectionName);
    state.gAdoConnection->open(state.gDbPath, readOnly);
    return state.gAdoConnection != nullptr;
}

Program::Program(Platform& platform, QString title)
    : m_platform(platform), m_title(std::move(title))
    , m_zoomMemory(std::make_unique<ZoomMemory>(platform.registry()))
    , m_lineEditMenus(std::make_unique<GreekLineEditMenus>())
    , m_accessibleNames(std::make_unique<AccessibleNames>())
{
    Database::ConfigureLibrary();
    if (QCoreApplication* app = QCoreApplication::instance()) {
        app->installEventFilter(m_lineEditMenus.get());
        app->installEventFilter(m_accessibleNames.get());
    }
}

Program::~Program()
{
    // Windows go before the connections they query.
    m_frmFullText.reset();
    m_fullText.reset();
    m_frmIZelkor.reset();
    m_frmAbout.reset();
    m_frmHelp.reset();
    m_frmSetSysParam.reset();
    m_frmSystemInfo.reset();
    m_frmhotbrowser.reset();
    m_frmInitial.reset();
    m_frmWrongVersion.reset();
    m_frmWrongRegionalSettings.reset();
    m_frmWait.reset();
}

void Program::step(int number)
{
    if (m_stepObserver)
        m_stepObserver(number);
}

bool Program::end(int status)
{
    m_exitStatus = status;
    return false;
}

void Program::unloadFrmHotBrowser()
{
    if (!m_frmhotbrowser)
        return;
    if (!m_frmhotbrowser->unloaded())
        m_frmhotbrowser->close();
    m_frmhotbrowser.reset();
}

FrmHotBrowser& Program::loadFrmHotBrowser()
{
    if (m_frmhotbrowser && m_frmhotbrowser->unloaded())
        m_frmhotbrowser.reset();
    if (!m_frmhotbrowser)
        m_frmhotbrowser = std::make_unique<FrmHotBrowser>(*this);
    return *m_frmhotbrowser;
}

FrmHotBrowser& Program::showFrmHotBrowser()
{
    // A law stored as a document may have loaded the viewer already, unshown
    // and so never placed.
    loadFrmHotBrowser();
    if (!m_frmhotbrowser->isVisible())
        PlaceOnScreen(*m_frmhotbrowser, m_frmInitial ? m_frmInitial->frameGeometry() : QRect());
    m_frmhotbrowser->show();
    return *m_frmhotbrowser;
}

FrmSetSysParam& Program::loadFrmSetSysParam() { return LoadWindow(m_frmSetSysParam, *this); }
FrmSystemInfo& Program::loadFrmSystemInfo() { return LoadWindow(m_frmSystemInfo, *this); }
FrmHelp& Program::loadFrmHelp() { return LoadWindow(m_frmHelp, *this); }
FrmAbout& Program::loadFrmAbout() { return LoadWindow(m_frmAbout, *this); }
FrmIZelkor& Program::loadFrmIZelkor() { return LoadWindow(m_frmIZelkor, *this); }
FrmFullText* Program::frmFullText() const { return OpenWindow(m_frmFullText); }

FrmFullText& Program::loadFrmFullText()
{
    if (m_frmFullText && m_frmFullText->unloaded())
        m_frmFullText.reset();
    if (!m_frmFullText)
        m_frmFullText = std::make_unique<FrmFullText>(*this, fullText());
    return *m_frmFullText;
}

FullText::Service& Program::fullText()
{
    if (!m_fullText)
        m_fullText = std::make_unique<FullText::Service>(m_state.gDbPath, m_platform.cacheFolder());
    return *m_fullText;
}

FrmSetSysParam* Program::frmSetSysParam() const { return OpenWindow(m_frmSetSysParam); }
FrmSystemInfo* Program::frmSystemInfo() const { return OpenWindow(m_frmSystemInfo); }
FrmHelp* Program::frmHelp() const { return OpenWindow(m_frmHelp); }
FrmAbout* Program::frmAbout() const { return OpenWindow(m_frmAbout); }
FrmIZelkor* Program::frmIZelkor() const { return OpenWindow(m_frmIZelkor); }

void Program::unloadFrmSetSysParam()
{
    UnloadWindow(m_frmSetSysParam);
}

void Program::unloadFrmSystemInfo()
{
    UnloadWindow(m_frmSystemInfo);
    UnloadWindow(m_frmFullText);
    // A build under way stops within a second; its part file never takes
    // the index's name.
    if (m_fullText)
        m_fullText->stop();
}

void Program::unloadAuxiliaryWindows()
{
    unloadFrmHotBrowser();
    UnloadWindow(m_frmAbout);
    // The text window is the about window's own.
    UnloadWindow(m_frmIZelkor);
    UnloadWindow(m_frmHelp);
    unloadFrmWait();
    UnloadWindow(m_frmSetSysParam);
    UnloadWindow(m_frmSystemInfo);
    UnloadWindow(m_frmFullText);
    // A build under way stops within a second; its part file never takes
    // the index's name.
    if (m_fullText)
        m_fullText->stop();
}

void Program::unloadFrmWait()
{
    if (m_frmWait)
        m_frmWait->hide();
    m_frmWait.reset();
}

bool Program::Main()
{
    step(1);
    m_platform.initCommonControls();

    step(2);
    m_state.gAppTitle = m_title;

    step(3);
    m_state.gAppPath = m_platform.applicationFolder();

    step(4);
    try {
        RemoveOldInstallation(m_platform.registry(), m_state.gAppPath, Paths::kOldFolderName);
    } catch (...) {
    }

    step(5);
    Regional::StoreSnapshot(m_state, Regional::Snapshot(m_platform.userLocale(), m_platform.registry()));

    step(6);
    if (!m_platform.acquireInstanceLock()) {
        // The running window comes forward, and the message says why no
        // second one opens.
        m_platform.wakeRunningInstance();
        Report::Refusal(m_platform.dialogs(), m_state.gAppTitle, QStringLiteral("Η εφαρμογή \"τρέχει\" ήδη!"));
        return end(ExitStatus::SecondInstance);
    }

    step(7);
    if (RegionalSettingsWrong(m_state)) {
        m_frmWrongRegionalSettings = std::make_unique<FrmWrongRegionalSettings>(m_state, m_platform);
        // After the repair the start goes on to the main window, instead of
        // ending and leaving the user to guess that it must be started again.
        m_frmWrongRegionalSettings->onRepaired = [this] {
            Regional::StoreSnapshot(m_state, Regional::Snapshot(m_platform.userLocale(), m_platform.registry()));
            if (RegionalSettingsWrong(m_state))
                end(ExitStatus::RegionalSettings);
            else if (continueStartUp())
                return;
            m_platform.endProgram(m_exitStatus);
        };
        m_frmWrongRegionalSettings->show();
        return true;
    }
    return continueStartUp();
}

bool Program::continueStartUp()
{
    step(8);
    m_platform.setHourglass(true);
    m_frmWait = std::make_unique<FrmWait>();
    m_frmWait->show();
    m_platform.repaintNow(*m_frmWait);

    step(9);
    m_state.gLawIdThemata = 0;
    m_state.gLawIdNomoi = 0;
    m_state.gLawIdOrganogramma_P = 0;
    m_state.gLawIdHotBrowser = 0;
    m_state.gLawNodeKind.clear();

    step(10);
    m_state.gDbEnabled = true;

    step(11);
    if (m_state.gDbEnabled && !QFileInfo::exists(Paths::Join(m_state.gAppPath, Paths::kDatabaseFile))) {
        m_platform.setHourglass(false);
        Report::MissingInstallation(m_platform.dialogs(),
            QStringLiteral("Δεν βρέθηκαν τα δεδομένα της εφαρμογής! Βεβαιωθείτε ότι έχετε εκτελέσει το πρόγραμμα εγκατάστασης Setup"));
        unloadFrmWait();
        return end(ExitStatus::DataMissing);
    }

    if (m_state.gDbEnabled && !OfferJetImport(m_platform, m_state.gAppTitle, m_state.gAppPath)) {
        unloadFrmWait();
        return end(ExitStatus::ConnectionFailed);
    }

    step(12);
    try {
        OpenDatabaseConnection(m_state, m_platform.installedFolder());
    } catch (const AppError& e) {
        // Nothing traps this step: the report of an unhandled error ends start-up.
        m_platform.setHourglass(false);
        Report::UnhandledError(m_platform.dialogs(), m_state.gAppTitle, e.number(), e.description());
        unloadFrmWait();
        return end(ExitStatus::ConnectionFailed);
    }

    step(13);
    try {
        step(14);
        m_state.gDaoWorkspace = kDaoWorkspaceName;
        auto test = std::make_unique<Database>(kDaoWorkspaceName);
        step(15);
        // The second, read-only opening of the same file proves, apart from
        // the connection, that the file is a database.
        test->open(m_state.gDbPath, true);
        m_state.gDaoDatabase = std::move(test);
    } catch (const AppError& e) {
        step(19);
        m_platform.setHourglass(false);
        const long n = e.number();
        const QString detail = (n == ErrorNumber::FileNotFound || n == ErrorNumber::PathNotFound)
            ? QStringLiteral("Δεν βρέθηκε η Βάση Δεδομένων της εφαρμογής")
            : e.description();
        Report::ReportCodedError(m_platform.dialogs(), m_state.gAppTitle, n, detail);
        unloadFrmWait();
        return end(ExitStatus::TestOpeningFailed);
    }

    step(16);
    m_platform.setHourglass(false);

    step(17);
    if (!DatabaseVersionOk(*m_state.gAdoConnection)) {
        unloadFrmWait();
        m_frmWrongVersion = std::make_unique<FrmWrongVersion>(m_state.gAppTitle);
        m_platform.dialogs().showModal(*m_frmWrongVersion);
        return end(ExitStatus::WrongVersion);
    }

    step(18);
    m_frmInitial = std::make_unique<FrmInitial>(*this);
    m_frmInitial->Show();
    m_platform.setWakeHandler([this] {
        if (!m_frmInitial)
            return;
        if (m_frmInitial->isMinimized())
            m_frmInitial->setWindowState(m_frmInitial->windowState() & ~Qt::WindowMinimized);
        m_frmInitial->raise();
        m_frmInitial->activateWindow();
    });
    return true;
}
