#pragma once

#include <QSet>
#include <QString>

#include <optional>

class QSettings;

enum class Hive { CurrentUser, LocalMachine };

// The two registry hives the program uses, kept in QSettings stores: the
// registry itself on Windows, a settings file on other systems. Key paths use
// backslashes as the registry does; key and value names match without regard
// to case.
class RegistryStore {
public:
    RegistryStore(QSettings& currentUser, QSettings& localMachine);

    enum class Open { Ok, NotFound, AccessDenied };

    // Whether the key can be opened for reading values, or for setting them.
    Open openKey(Hive hive, const QString& keyPath, bool forWriting);
    // The string value, or nothing when the key or the value is absent.
    std::optional<QString> queryValue(Hive hive, const QString& keyPath, const QString& valueName);
    // Stores a string value; true when the store accepted it.
    bool setValue(Hive hive, const QString& keyPath, const QString& valueName, const QString& value);
    // These stores keep a key only once it holds a value, so a key created
    // here opens from then on and is written with its first value.
    bool createKey(Hive hive, const QString& keyPath);

private:
    QSettings& settingsOf(Hive hive);
    // The stored spelling of each segment that exists, the given one for the rest.
    QString resolveGroup(QSettings& s, const QString& keyPath, bool* exists);
    QString resolveValueName(QSettings& s, const QString& group, const QString& valueName);

    QSettings& m_currentUser;
    QSettings& m_localMachine;
    QSet<QString> m_createdKeys[2];
};

// Values longer than this do not fit the buffer the reads use.
constexpr int kRegBufferLength = 3990;

// Reads "SOFTWARE\ZELKOR" + subKey; trimmed, the default when absent or blank.
QString GetRegString(RegistryStore& reg, bool currentUser, const QString& subKey,
                     const QString& valueName, const QString& defaultValue);
// Writes below the current user's "Software\ZELKOR" + subKey; an empty value is
// stored as one blank.
bool SetRegString(RegistryStore& reg, const QString& subKey, const QString& valueName, const QString& value);
bool CreateRegKey(RegistryStore& reg, const QString& keyPath);

struct ProgramFilesDir {
    QString folder;  // "?" on failure
    int status = 0;  // 1 read; 2 access refused; 3 key not found; 4 other failure
};
ProgramFilesDir GetProgramFilesDir(RegistryStore& reg);

// Deletes the executable and the database that an older installation left in
// the standard folder, unless that folder is where the program runs from.
// Never reports anything.
void RemoveOldInstallation(RegistryStore& reg, const QString& runningFolder, const QString& folderName);
