#pragma once

#include "startup/Dialogs.h"
#include "startup/Registry.h"

#include <QString>
#include <QUrl>

#include <functional>

// Values of the user's locale that the program checks, as the platform gives
// them (any length; the snapshot keeps one character of each).
struct LocaleValues {
    QString decimalSep;
    QString thousandSep;
    QString longDateOrder;  // "0" month-day-year, "1" day-month-year, "2" year-month-day
    QString dateSep;
    QString timeFormat;     // "0" 12-hour, "1" 24-hour
    QString timeSep;
};

// What the operating system says about its version.
struct OsVersion {
    bool isWindows = false;
    bool known = false;  // the version could be read
    int platformId = 0;
    int major = 0;
    int minor = 0;
    QString productName;  // the system's own name for itself
};

// The services start-up and the windows take from the machine. The program
// gets the desktop's; tests put their own in.
class Platform {
public:
    virtual ~Platform() = default;

    virtual bool initCommonControls() = 0;
    virtual QString applicationFolder() = 0;
    virtual RegistryStore& registry() = 0;
    virtual LocaleValues userLocale() = 0;
    virtual OsVersion osVersion() = 0;
    virtual QString tempFolder() = 0;
    // The office suite that stands in for Word and Excel, or empty when none
    // is installed.
    virtual QString officeProgram() = 0;
    // The user's own data folder, for what the program's folder cannot keep.
    virtual QString userDataFolder() = 0;
    // The user's cache folder for what the program can make again (the
    // full-text index).
    virtual QString cacheFolder() = 0;
    // Whether the program may start work of its own in the background (the
    // full-text index); tests start it when they need it.
    virtual bool runsBackgroundWork() { return true; }
    // True when the application folder is an installed one: the program reads
    // it and never writes to it, whoever runs the program.
    virtual bool installedFolder() { return false; }
    // Copies a Jet database into a new database at output, showing its
    // progress; false with a Greek message when it could not.
    virtual bool importJetDatabase(const QString& jetFile, const QString& output, QString* message) = 0;
    // Opens a web or mail address in the user's own programs.
    virtual void openUrl(const QUrl& url) = 0;
    // False when another instance of the program holds the lock.
    virtual bool acquireInstanceLock() = 0;
    // Asks the instance that holds the lock to bring its window forward;
    // false when none answered.
    virtual bool wakeRunningInstance() { return false; }
    // What this instance does when a later start asks for its window.
    virtual void setWakeHandler(std::function<void()>) {}
    virtual Dialogs& dialogs() = 0;
    // The hourglass for the whole application, or the default pointer.
    virtual void setHourglass(bool on) = 0;
    // Repaints a window that was just shown, before the next step runs.
    virtual void repaintNow(class QWidget& window) = 0;
    // Ends the program with the status once control returns to the event loop.
    virtual void endProgram(int status) = 0;
};

// The user's temporary folder as the platform reports it.
inline QString GetTempFolder(Platform& platform)
{
    return platform.tempFolder();
}
