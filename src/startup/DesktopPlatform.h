#pragma once

#include "startup/Platform.h"

#include <QLockFile>
#include <QSettings>

#include <memory>

// The platform of the running program.
class DesktopPlatform : public Platform {
public:
    DesktopPlatform();
    ~DesktopPlatform() override;

    bool initCommonControls() override;
    QString applicationFolder() override;
    RegistryStore& registry() override { return *m_registry; }
    LocaleValues userLocale() override;
    OsVersion osVersion() override;
    QString tempFolder() override;
    QString officeProgram() override;
    QString userDataFolder() override;
    QString cacheFolder() override;
    bool installedFolder() override;
    bool importJetDatabase(const QString& jetFile, const QString& output, QString* message) override;
    void openUrl(const QUrl& url) override;
    bool acquireInstanceLock() override;
    bool wakeRunningInstance() override;
    void setWakeHandler(std::function<void()> handler) override { m_wakeHandler = std::move(handler); }
    Dialogs& dialogs() override { return m_dialogs; }
    void setHourglass(bool on) override;
    void repaintNow(QWidget& window) override;
    void endProgram(int status) override;

    // The data folder of an installation, found from the program's own
    // location; empty in a build that knows none.
    static QString InstalledDataFolder();

private:
    std::unique_ptr<QSettings> m_currentUser;
    std::unique_ptr<QSettings> m_localMachine;
    std::unique_ptr<RegistryStore> m_registry;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<class InstanceWaker> m_waker;
    std::function<void()> m_wakeHandler;
    QtDialogs m_dialogs;
    bool m_hourglass = false;
};

#ifndef Q_OS_WIN
// The locale values from the POSIX locale categories of the environment.
LocaleValues PosixLocaleValues();
#endif
// The order code and separator of a POSIX date format (D_FMT) and the clock
// code and separator of a time format (T_FMT).
void DateFormatValues(const QString& dFmt, QString* order, QString* separator);
void TimeFormatValues(const QString& tFmt, QString* clock, QString* separator);
