#include "startup/DesktopPlatform.h"

#include "startup/InstanceWaker.h"

#include "documents/OfficeApplication.h"
#include "startup/Paths.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>
#include <locale.h>
#endif

DesktopPlatform::DesktopPlatform()
{
#ifdef Q_OS_WIN
    m_currentUser = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"), QSettings::NativeFormat);
    m_localMachine = std::make_unique<QSettings>(QStringLiteral("HKEY_LOCAL_MACHINE"), QSettings::NativeFormat);
#else
    // One settings file per hive, with the registry's key paths as groups.
    m_currentUser = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("ZELKOR"), QStringLiteral("TARVO"));
    m_localMachine = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::SystemScope,
                                                 QStringLiteral("ZELKOR"), QStringLiteral("TARVO"));
    m_currentUser->setFallbacksEnabled(false);
    m_localMachine->setFallbacksEnabled(false);
#endif
    m_registry = std::make_unique<RegistryStore>(*m_currentUser, *m_localMachine);
}

DesktopPlatform::~DesktopPlatform() = default;

bool DesktopPlatform::initCommonControls()
{
    return true;
}

QString DesktopPlatform::applicationFolder()
{
    return QDir::toNativeSeparators(installedFolder() ? InstalledDataFolder() : QCoreApplication::applicationDirPath());
}

QString DesktopPlatform::InstalledDataFolder()
{
#ifdef SELVARA_INSTALLED_DATA
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + u'/' + QStringLiteral(SELVARA_INSTALLED_DATA));
#else
    return QString();
#endif
}

bool DesktopPlatform::installedFolder()
{
    // A build or a copied folder holds the database beside the program; an
    // installation holds it in the system's data folder.
    const QString installed = InstalledDataFolder();
    return !installed.isEmpty()
        && !QFileInfo::exists(QCoreApplication::applicationDirPath() + u'/' + Paths::kDatabaseFile)
        && QFileInfo::exists(installed + u'/' + Paths::kDatabaseFile);
}

LocaleValues DesktopPlatform::userLocale()
{
#ifdef Q_OS_WIN
    auto item = [](LCTYPE type) {
        wchar_t buffer[100] = {};
        const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 100);
        return n > 0 ? QString::fromWCharArray(buffer, n - 1) : QString();
    };
    return {item(LOCALE_SDECIMAL), item(LOCALE_STHOUSAND), item(LOCALE_ILDATE),
            item(LOCALE_SDATE), item(LOCALE_ITIME), item(LOCALE_STIME)};
#else
    return PosixLocaleValues();
#endif
}

OsVersion DesktopPlatform::osVersion()
{
    OsVersion v;
    v.productName = QSysInfo::prettyProductName();
#ifdef Q_OS_WIN
    v.isWindows = true;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExW(&info)) {
        v.known = true;
        v.platformId = static_cast<int>(info.dwPlatformId);
        v.major = static_cast<int>(info.dwMajorVersion);
        v.minor = static_cast<int>(info.dwMinorVersion);
    }
#else
    v.known = true;
#endif
    return v;
}

#ifndef Q_OS_WIN
namespace {

// A folder only this user can reach: made with mode 0700 when missing, and
// refused when it is a link, belongs to someone else or is open to others.
bool PrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    ::mkdir(native.constData(), 0700);
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && (st.st_mode & 077) == 0;
}

} // namespace
#endif

QString DesktopPlatform::tempFolder()
{
    QString folder = QDir::tempPath();
#ifndef Q_OS_WIN
    // The shared /tmp would let another user plant a file or a link under the
    // fixed names the attached documents are written to.
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    const QString candidates[] = {
        runtime.isEmpty() ? QString() : runtime + QStringLiteral("/selvara"),
        folder + QStringLiteral("/selvara-") + QString::number(::getuid()),
        QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/tmp"),
    };
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty())
            continue;
        QDir().mkpath(QFileInfo(candidate).path());
        if (PrivateFolder(candidate)) {
            folder = candidate;
            break;
        }
    }
#endif
    QString path = QDir::toNativeSeparators(folder);
    if (!path.isEmpty() && !path.endsWith(QDir::separator()))
        path += QDir::separator();
    return path;
}

bool DesktopPlatform::acquireInstanceLock()
{
    // One lock per executable, so that another installation can still run.
    const QString exe = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    const QByteArray key = QCryptographicHash::hash(exe.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_lock = std::make_unique<QLockFile>(QDir(QDir::tempPath()).filePath(QStringLiteral("selvara-%1.lock").arg(QString::fromLatin1(key))));
    m_lock->setStaleLockTime(0);
    m_waker = std::make_unique<InstanceWaker>(InstanceWaker::KeyFor(exe, QDir::homePath()));
    if (!m_lock->tryLock(0))
        return false;
    m_waker->listen([this] {
        if (m_wakeHandler)
            m_wakeHandler();
    });
    return true;
}

bool DesktopPlatform::wakeRunningInstance()
{
    return m_waker && m_waker->wake();
}

void DesktopPlatform::setHourglass(bool on)
{
    if (on && !m_hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else if (!on)
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    m_hourglass = on;
}

void DesktopPlatform::repaintNow(QWidget& window)
{
    window.repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void DesktopPlatform::endProgram(int status)
{
    QCoreApplication::exit(status);
}

namespace {

// Expands the composite conversions and drops the E and O modifiers, so that
// only single conversions and literal characters remain.
QString expandFormat(const QString& fmt)
{
    QString out;
    for (qsizetype i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != u'%' || i + 1 >= fmt.size()) {
            out += fmt[i];
            continue;
        }
        QChar c = fmt[++i];
        if ((c == u'E' || c == u'O') && i + 1 < fmt.size())
            c = fmt[++i];
        switch (c.unicode()) {
        case u'D': out += QStringLiteral("%m/%d/%y"); break;
        case u'F': out += QStringLiteral("%Y-%m-%d"); break;
        case u'T': out += QStringLiteral("%H:%M:%S"); break;
        case u'R': out += QStringLiteral("%H:%M"); break;
        case u'r': out += QStringLiteral("%I:%M:%S %p"); break;
        default: out += u'%'; out += c; break;
        }
    }
    return out;
}

QString firstLiteral(const QString& expanded)
{
    for (qsizetype i = 0; i < expanded.size(); ++i) {
        if (expanded[i] == u'%') {
            ++i;
            continue;
        }
        if (!expanded[i].isLetterOrNumber())
            return QString(expanded[i]);
    }
    return QString();
}

QString fromLocale(const char* s)
{
    return s ? QString::fromLocal8Bit(s) : QString();
}

} // namespace

void DateFormatValues(const QString& dFmt, QString* order, QString* separator)
{
    const QString f = expandFormat(dFmt);
    qsizetype day = -1, month = -1, year = -1;
    for (qsizetype i = 0; i + 1 < f.size(); ++i) {
        if (f[i] != u'%')
            continue;
        const QChar c = f[++i];
        if ((c == u'd' || c == u'e') && day < 0)
            day = i;
        else if ((c == u'm' || c == u'b' || c == u'B' || c == u'h') && month < 0)
            month = i;
        else if ((c == u'y' || c == u'Y' || c == u'C' || c == u'G') && year < 0)
            year = i;
    }
    if (day >= 0 && month >= 0 && day < month && (year < 0 || month < year))
        *order = QStringLiteral("1");
    else if (year >= 0 && month >= 0 && year < month && (day < 0 || month < day))
        *order = QStringLiteral("2");
    else
        *order = QStringLiteral("0");
    *separator = firstLiteral(f);
}

void TimeFormatValues(const QString& tFmt, QString* clock, QString* separator)
{
    const QString f = expandFormat(tFmt);
    const bool twelveHour = f.contains(QStringLiteral("%I")) || f.contains(QStringLiteral("%l"));
    *clock = twelveHour ? QStringLiteral("0") : QStringLiteral("1");
    *separator = firstLiteral(f);
}

#ifndef Q_OS_WIN
LocaleValues PosixLocaleValues()
{
    LocaleValues v;
    locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc)
        loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!loc)
        return v;
    v.decimalSep = fromLocale(nl_langinfo_l(RADIXCHAR, loc));
    v.thousandSep = fromLocale(nl_langinfo_l(THOUSEP, loc));
    DateFormatValues(fromLocale(nl_langinfo_l(D_FMT, loc)), &v.longDateOrder, &v.dateSep);
    TimeFormatValues(fromLocale(nl_langinfo_l(T_FMT, loc)), &v.timeFormat, &v.timeSep);
    freelocale(loc);
    return v;
}
#endif

QString DesktopPlatform::officeProgram()
{
    return FindOfficeProgram();
}

QString DesktopPlatform::userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString DesktopPlatform::cacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Selvara");
}

void DesktopPlatform::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}
