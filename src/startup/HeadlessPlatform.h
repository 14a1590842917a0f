#pragma once

#include "startup/Platform.h"

#include <QList>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Records what would have been shown instead of showing it.
class RecordingDialogs : public Dialogs {
public:
    MsgResult messageBox(const MessageRequest& request) override;
    void showModal(QDialog& dialog) override;
    bool printDialog(QPrinter& printer) override;
    QString openFileName(const FileRequest& request) override;

    QList<MessageRequest> messages;
    QStringList modalWindows;  // object names, in order
    // Runs while a modal window would be open (for instance to press its button).
    std::function<void(QDialog&)> onModal;
    // Answers the printer dialog (for instance with a PDF file); without it
    // the dialog is cancelled, so no test prints on a real printer.
    std::function<bool(QPrinter&)> onPrint;
    int printDialogs = 0;
    // Answers the open-file dialog; without it the dialog is cancelled.
    std::function<QString(const FileRequest&)> onOpenFile;
    // Answers a message box; without it every box answers Ok.
    std::function<MsgResult(const MessageRequest&)> onMessage;
    QList<FileRequest> fileRequests;
};

// A platform for runs without a user: a scratch application folder, settings
// files in a scratch folder, a locale of the caller's choice and an instance
// lock the caller decides. Tests and the benchmark run the program on it.
class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    bool initCommonControls() override { return true; }
    QString applicationFolder() override { return appFolder; }
    RegistryStore& registry() override { return *m_registry; }
    LocaleValues userLocale() override { return locale; }
    OsVersion osVersion() override { return os; }
    QString tempFolder() override { return tempPath; }
    QString officeProgram() override { return officePath; }
    QString userDataFolder() override { return userDataPath; }
    QString cacheFolder() override { return cachePath; }
    bool runsBackgroundWork() override { return backgroundWork; }
    bool installedFolder() override { return installed; }
    bool importJetDatabase(const QString& jetFile, const QString& output, QString* message) override;
    void openUrl(const QUrl& url) override { openedUrls.append(url); }
    bool acquireInstanceLock() override { return !otherInstanceRunning; }
    Dialogs& dialogs() override { return recorder; }
    void setHourglass(bool on) override;
    void repaintNow(QWidget&) override {}
    void endProgram(int status) override { endedWith.append(status); }

    // A locale whose conventions suit the program.
    static LocaleValues GreekLocale();
    // The C locale of a fresh machine.
    static LocaleValues CLocale();

    QSettings& currentUser() { return *m_currentUser; }
    QSettings& localMachine() { return *m_localMachine; }
    // Points the machine's program-files value at a folder.
    void setProgramFilesDir(const QString& folder);

    QTemporaryDir scratch;
    QString appFolder;
    QString tempPath;
    QString officePath;  // none installed unless the caller says so
    QString userDataPath;
    QString cachePath;
    bool backgroundWork = false;
    QList<QUrl> openedUrls;
    LocaleValues locale;
    OsVersion os;
    bool otherInstanceRunning = false;
    bool installed = false;
    QStringList importedJetFiles;
    // Stands in for the importer; without it the real one runs in-process.
    std::function<bool(const QString& jetFile, const QString& output, QString* message)> onImportJet;
    RecordingDialogs recorder;
    QList<bool> hourglassChanges;
    bool hourglass = false;
    QList<int> endedWith;

private:
    std::unique_ptr<QSettings> m_currentUser;
    std::unique_ptr<QSettings> m_localMachine;
    std::unique_ptr<RegistryStore> m_registry;
};
