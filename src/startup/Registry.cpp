#include "startup/Registry.h"

#include "data/JetFunctions.h"
#include "startup/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace {

const QString kMakerKeyRead = QStringLiteral("SOFTWARE\\ZELKOR");
const QString kMakerKeyWrite = QStringLiteral("Software\\ZELKOR");
const QString kVersionKey = QStringLiteral("SOFTWARE\\Microsoft\\Windows\\CurrentVersion");

QStringList segmentsOf(const QString& keyPath)
{
    QString p = keyPath;
    p.replace(u'/', u'\\');
    return p.split(u'\\', Qt::SkipEmptyParts);
}

QString findIgnoringCase(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// The registry hands back text up to its first NUL character.
QString cutAtNul(const QString& s)
{
    const qsizetype nul = s.indexOf(QChar(u'\0'));
    return nul < 0 ? s : s.left(nul);
}

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    const QString ca = fa.canonicalFilePath();
    const QString cb = fb.canonicalFilePath();
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca.compare(cb, cs) == 0;
    return QDir::cleanPath(fa.absoluteFilePath()).compare(QDir::cleanPath(fb.absoluteFilePath()), cs) == 0;
}

} // namespace

RegistryStore::RegistryStore(QSettings& currentUser, QSettings& localMachine)
    : m_currentUser(currentUser), m_localMachine(localMachine)
{
}

QSettings& RegistryStore::settingsOf(Hive hive)
{
    return hive == Hive::CurrentUser ? m_currentUser : m_localMachine;
}

QString RegistryStore::resolveGroup(QSettings& s, const QString& keyPath, bool* exists)
{
    QStringList resolved;
    bool found = true;
    int depth = 0;
    for (const QString& segment : segmentsOf(keyPath)) {
        QString stored;
        if (found) {
            stored = findIgnoringCase(s.childGroups(), segment);
            found = !stored.isEmpty();
        }
        resolved << (found ? stored : segment);
        s.beginGroup(resolved.last());
        ++depth;
    }
    for (int i = 0; i < depth; ++i)
        s.endGroup();
    if (exists)
        *exists = found && depth > 0;
    return resolved.join(u'/');
}

QString RegistryStore::resolveValueName(QSettings& s, const QString& group, const QString& valueName)
{
    s.beginGroup(group);
    const QString stored = findIgnoringCase(s.childKeys(), valueName);
    s.endGroup();
    return stored.isEmpty() ? valueName : stored;
}

RegistryStore::Open RegistryStore::openKey(Hive hive, const QString& keyPath, bool forWriting)
{
    QSettings& s = settingsOf(hive);
    s.sync();
    if (s.status() == QSettings::AccessError)
        return Open::AccessDenied;
    if (forWriting && !s.isWritable())
        return Open::AccessDenied;
    bool exists = false;
    resolveGroup(s, keyPath, &exists);
    if (!exists && m_createdKeys[static_cast<int>(hive)].contains(segmentsOf(keyPath).join(u'/').toLower()))
        exists = true;
    return exists ? Open::Ok : Open::NotFound;
}

std::optional<QString> RegistryStore::queryValue(Hive hive, const QString& keyPath, const QString& valueName)
{
    QSettings& s = settingsOf(hive);
    bool exists = false;
    const QString group = resolveGroup(s, keyPath, &exists);
    if (!exists)
        return std::nullopt;
    s.beginGroup(group);
    const QString stored = findIgnoringCase(s.childKeys(), valueName);
    std::optional<QString> result;
    if (!stored.isEmpty())
        result = s.value(stored).toString();
    s.endGroup();
    return result;
}

bool RegistryStore::setValue(Hive hive, const QString& keyPath, const QString& valueName, const QString& value)
{
    QSettings& s = settingsOf(hive);
    if (!s.isWritable())
        return false;
    const QString group = resolveGroup(s, keyPath, nullptr);
    const QString name = resolveValueName(s, group, valueName);
    s.beginGroup(group);
    s.setValue(name, value);
    s.endGroup();
    s.sync();
    return s.status() == QSettings::NoError;
}

bool RegistryStore::createKey(Hive hive, const QString& keyPath)
{
    QSettings& s = settingsOf(hive);
    const QStringList segments = segmentsOf(keyPath);
    if (segments.isEmpty() || !s.isWritable() || s.status() != QSettings::NoError)
        return false;
    m_createdKeys[static_cast<int>(hive)].insert(segments.join(u'/').toLower());
    return true;
}

QString GetRegString(RegistryStore& reg, bool currentUser, const QString& subKey,
                     const QString& valueName, const QString& defaultValue)
{
    const Hive hive = currentUser ? Hive::CurrentUser : Hive::LocalMachine;
    const QString key = kMakerKeyRead + subKey;
    if (reg.openKey(hive, key, false) != RegistryStore::Open::Ok)
        return defaultValue;
    const std::optional<QString> value = reg.queryValue(hive, key, valueName);
    if (!value || value->isEmpty() || value->size() >= kRegBufferLength)
        return defaultValue;
    const QString text = Jet::Trim(cutAtNul(*value));
    return text.isEmpty() ? defaultValue : text;
}

bool CreateRegKey(RegistryStore& reg, const QString& keyPath)
{
    return reg.createKey(Hive::CurrentUser, keyPath);
}

bool SetRegString(RegistryStore& reg, const QString& subKey, const QString& valueName, const QString& value)
{
    const QString key = kMakerKeyWrite + subKey;
    RegistryStore::Open open = reg.openKey(Hive::CurrentUser, key, true);
    if (open == RegistryStore::Open::NotFound && CreateRegKey(reg, key))
        open = reg.openKey(Hive::CurrentUser, key, true);
    if (open != RegistryStore::Open::Ok)
        return false;
    return reg.setValue(Hive::CurrentUser, key, valueName, value.isEmpty() ? QStringLiteral(" ") : value);
}

ProgramFilesDir GetProgramFilesDir(RegistryStore& reg)
{
    ProgramFilesDir result{QStringLiteral("?"), 4};
    switch (reg.openKey(Hive::LocalMachine, kVersionKey, false)) {
    case RegistryStore::Open::AccessDenied:
        result.status = 2;
        return result;
    case RegistryStore::Open::NotFound:
        result.status = 3;
        return result;
    case RegistryStore::Open::Ok:
        break;
    }
    const std::optional<QString> value = reg.queryValue(Hive::LocalMachine, kVersionKey, QStringLiteral("ProgramFilesDir"));
    if (!value || value->size() >= kRegBufferLength)
        return result;
    const QString folder = Jet::Trim(cutAtNul(*value));
    if (folder.isEmpty())
        return result;
    return {folder, 1};
}

void RemoveOldInstallation(RegistryStore& reg, const QString& runningFolder, const QString& folderName)
{
    const ProgramFilesDir programFiles = GetProgramFilesDir(reg);
    if (programFiles.status != 1 || programFiles.folder.isEmpty())
        return;
    const QString oldFolder = Paths::Join(programFiles.folder, folderName);
    // The same folder may be written differently (case, links, "..");
    // only the file system can tell.
    if (runningFolder == oldFolder || samePath(runningFolder, oldFolder))
        return;
    if (!QFileInfo(oldFolder).isDir())
        return;
    for (const QString& name : {Paths::kOldExecutable, Paths::kDatabaseFile}) {
        const QString victim = Paths::Join(oldFolder, name);
        const QFileInfo info(victim);
        // Read-only files stay; the owner's write bit tells, whoever runs us.
        if (!info.exists() || !(info.permissions() & QFileDevice::WriteOwner))
            continue;
        // A file that is really one of the running installation's own stays.
        if (samePath(victim, Paths::Join(runningFolder, name)))
            continue;
        QFile::remove(victim);
    }
}
