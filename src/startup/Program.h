#pragma once

#include "startup/AppState.h"
#include "startup/Edition.h"
#include "startup/Platform.h"

#include <functional>
#include <memory>

class FrmWait;
class FrmInitial;
class FrmWrongRegionalSettings;
class FrmWrongVersion;
class FrmHotBrowser;
class FrmSetSysParam;
class FrmSystemInfo;
class FrmHelp;
class FrmAbout;
class FrmIZelkor;
class GreekLineEditMenus;
class AccessibleNames;
class ZoomMemory;
class FrmFullText;
namespace FullText {
class Service;
}

// The program: its state, its windows and the start-up that sets them up.
class Program {
public:
    // title: the edition the program is; tests build the other editions.
    explicit Program(Platform& platform, QString title = Edition::kBuiltTitle);
    ~Program();

    // Runs start-up once. True when a window now carries the program and the
    // event loop must run; false when the process must end with exitStatus().
    bool Main();
    int exitStatus() const { return m_exitStatus; }

    AppState& state() { return m_state; }
    // The zoom of each kind of view, kept between runs.
    ZoomMemory& zoomMemory() { return *m_zoomMemory; }
    Platform& platform() { return m_platform; }

    FrmWait* frmWait() const { return m_frmWait.get(); }
    FrmInitial* frmInitial() const { return m_frmInitial.get(); }
    FrmWrongRegionalSettings* frmWrongRegionalSettings() const { return m_frmWrongRegionalSettings.get(); }
    FrmWrongVersion* frmWrongVersion() const { return m_frmWrongVersion.get(); }

    void unloadFrmWait();

    // At most one law viewer exists; each link from a main-window law page
    // unloads it and opens a new one.
    FrmHotBrowser* frmhotbrowser() const { return m_frmhotbrowser.get(); }
    void unloadFrmHotBrowser();
    // The viewer, loaded but not shown when there is none yet.
    FrmHotBrowser& loadFrmHotBrowser();
    FrmHotBrowser& showFrmHotBrowser();

    // The auxiliary windows: each is created on first use and kept until it
    // closes; the accessors give null for a window not open.
    FrmSetSysParam& loadFrmSetSysParam();
    FrmSystemInfo& loadFrmSystemInfo();
    FrmHelp& loadFrmHelp();
    FrmAbout& loadFrmAbout();
    FrmIZelkor& loadFrmIZelkor();
    FrmSetSysParam* frmSetSysParam() const;
    FrmSystemInfo* frmSystemInfo() const;
    FrmHelp* frmHelp() const;
    FrmAbout* frmAbout() const;
    FrmIZelkor* frmIZelkor() const;
    // The full-text index of the database, made ready in the background
    // from the first call on; and its search window.
    FullText::Service& fullText();
    FrmFullText& loadFrmFullText();
    FrmFullText* frmFullText() const;
    void unloadFrmSetSysParam();
    void unloadFrmSystemInfo();
    // Every window but the main one, in the order the main window's unload
    // gives.
    void unloadAuxiliaryWindows();

    // Called as each numbered step of start-up begins.
    void setStepObserver(std::function<void(int step)> observer) { m_stepObserver = std::move(observer); }

private:
    // Start-up from the wait window on, once the regional settings are right.
    bool continueStartUp();
    void step(int number);
    bool end(int status);

    Platform& m_platform;
    QString m_title;
    AppState m_state;
    std::unique_ptr<ZoomMemory> m_zoomMemory;
    std::unique_ptr<GreekLineEditMenus> m_lineEditMenus;
    std::unique_ptr<AccessibleNames> m_accessibleNames;
    std::unique_ptr<FrmWait> m_frmWait;
    std::unique_ptr<FrmWrongRegionalSettings> m_frmWrongRegionalSettings;
    std::unique_ptr<FrmWrongVersion> m_frmWrongVersion;
    std::unique_ptr<FrmInitial> m_frmInitial;
    std::unique_ptr<FrmHotBrowser> m_frmhotbrowser;
    std::unique_ptr<FrmSetSysParam> m_frmSetSysParam;
    std::unique_ptr<FrmSystemInfo> m_frmSystemInfo;
    std::unique_ptr<FrmHelp> m_frmHelp;
    std::unique_ptr<FrmAbout> m_frmAbout;
    std::unique_ptr<FrmIZelkor> m_frmIZelkor;
    std::unique_ptr<FrmFullText> m_frmFullText;
    std::unique_ptr<FullText::Service> m_fullText;
    std::function<void(int)> m_stepObserver;
    int m_exitStatus = ExitStatusNone;

    static constexpr int ExitStatusNone = -1;
};

// Joins the application folder and the database file name, opens the one
// connection and proves the file is a database. Throws AppError.
bool OpenDatabaseConnection(AppState& state, bool readOnly = false);
