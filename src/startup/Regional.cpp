#include "startup/Regional.h"

#include "data/JetFunctions.h"
#include "startup/AppState.h"

#include <QStringList>

namespace Regional {

QString SettingsPlace(bool windows, const QString& desktop)
{
    if (windows)
        return QStringLiteral("την επιλογή Έναρξη, Ρυθμίσεις, Πίνακας Ελέγχου, Τοπικές Ρυθμίσεις");
    const QString d = desktop.toUpper();
    if (d.contains(QLatin1String("KDE")))
        return QStringLiteral("τις Ρυθμίσεις συστήματος, Περιοχή και γλώσσα");
    if (d.contains(QLatin1String("GNOME")) || d.contains(QLatin1String("UNITY")) || d.contains(QLatin1String("BUDGIE")))
        return QStringLiteral("τις Ρυθμίσεις, Περιοχή και γλώσσα, Μορφές");
    if (d.contains(QLatin1String("CINNAMON")))
        return QStringLiteral("τις Ρυθμίσεις συστήματος, Γλώσσες");
    if (d.contains(QLatin1String("MATE")) || d.contains(QLatin1String("XFCE")) || d.contains(QLatin1String("LXQT")))
        return QStringLiteral("τις ρυθμίσεις γλώσσας και μορφών του συστήματος (στο Debian: sudo dpkg-reconfigure locales)");
    return QStringLiteral("τις ρυθμίσεις περιοχής και μορφών της επιφάνειας εργασίας σας");
}

namespace {

QString firstCharacter(const QString& value)
{
    return value.isEmpty() ? QStringLiteral(" ") : QString(value[0]);
}

} // namespace

QString LongDateOrderOf(const QString& picture)
{
    // Quoted text is literal; "ddd" and "dddd" are day names, not the day.
    qsizetype day = -1, month = -1, year = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == u'\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        qsizetype run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (!quoted) {
            if (c == u'd' && run <= 2 && day < 0)
                day = i;
            else if (c == u'M' && month < 0)
                month = i;
            else if (c == u'y' && year < 0)
                year = i;
        }
        i += run;
    }
    if (day >= 0 && month >= 0 && day < month)
        return QStringLiteral("1");
    if (year >= 0 && month >= 0 && year < month)
        return QStringLiteral("2");
    return QStringLiteral("0");
}

LocaleValues Snapshot(const LocaleValues& platformValues, RegistryStore& registry)
{
    LocaleValues v = platformValues;
    auto stored = [&](const char* name) {
        return registry.queryValue(Hive::CurrentUser, kInternationalKey, QString::fromLatin1(name));
    };
    if (auto s = stored("sDecimal"))
        v.decimalSep = *s;
    if (auto s = stored("sThousand"))
        v.thousandSep = *s;
    if (auto s = stored("iLDate"))
        v.longDateOrder = *s;
    else if (auto picture = stored("sLongDate"))
        v.longDateOrder = LongDateOrderOf(*picture);
    if (auto s = stored("sDate"))
        v.dateSep = *s;
    if (auto s = stored("iTime"))
        v.timeFormat = *s;
    if (auto s = stored("sTime"))
        v.timeSep = *s;

    return {firstCharacter(v.decimalSep), firstCharacter(v.thousandSep), firstCharacter(v.longDateOrder),
            firstCharacter(v.dateSep), firstCharacter(v.timeFormat), firstCharacter(v.timeSep)};
}

void StoreSnapshot(AppState& state, const LocaleValues& snapshot)
{
    state.gDecimalSep = snapshot.decimalSep;
    state.gThousandSep = snapshot.thousandSep;
    state.gLongDateOrder = snapshot.longDateOrder;
    state.gDateSep = snapshot.dateSep;
    state.gTimeFormat = snapshot.timeFormat;
    state.gTimeSep = snapshot.timeSep;
}

} // namespace Regional

bool RegionalSettingsWrong(const AppState& state)
{
    return state.gDecimalSep == state.gThousandSep
        || state.gTimeSep != QLatin1String(":")
        || state.gDateSep != QLatin1String("/")
        || state.gLongDateOrder != QLatin1String("1")
        || Jet::Val(state.gTimeFormat) != 1.0;
}

QString GetWindowsVersionName(const OsVersion& version)
{
    if (!version.known)
        return kUnknownWindowsVersion;
    if (!version.isWindows)
        return version.productName;
    switch (version.platformId) {
    case 0:
        return QStringLiteral("Win32s on Windows 3.1");
    case 1:
        if (version.minor == 0)
            return QStringLiteral("Windows 95");
        if (version.minor == 90)
            return QStringLiteral("Windows Me");
        return QStringLiteral("Windows 98");
    case 2:
        if (version.major == 3)
            return QStringLiteral("Windows NT 3.5");
        if (version.major == 4)
            return QStringLiteral("Windows NT 4.0");
        if (version.major == 5 && version.minor == 0)
            return QStringLiteral("Windows 2000");
        if (version.major == 5 && version.minor == 1)
            return QStringLiteral("Windows XP");
        if (version.major == 5 && version.minor == 2)
            return QStringLiteral("Windows Server 2003");
        if (version.major == 6 && version.minor == 0)
            return QStringLiteral("Windows Vista/Server 2008");
        if (version.major == 6 && version.minor == 1)
            return QStringLiteral("Windows 7/Server 2008 R2");
        if (version.major == 6 && version.minor == 2)
            return QStringLiteral("Windows 8");
        return QStringLiteral("Windows NT");
    default:
        return QString();
    }
}

bool IsRepairableWindowsVersion(const QString& osName)
{
    static const QStringList kNames = {
        QStringLiteral("Windows XP"), QStringLiteral("Windows 2000"), QStringLiteral("Windows Vista/Server 2008"),
        QStringLiteral("Windows 7/Server 2008 R2"), QStringLiteral("Windows 8")};
    return kNames.contains(osName);
}

QList<QPair<QString, QString>> RepairValues(const QString& osName, bool onWindows)
{
    enum Group { A, B, C };
    struct Entry {
        const char* name;
        const char16_t* value;
        Group group;
    };
    static const Entry kTable[] = {
        {"iTime", u"1", A},
        {"iTLZero", u"1", A},
        {"Locale", u"00000408", A},
        {"s1159", u"πμ", A},
        {"s2359", u"μμ", A},
        {"sCountry", u"Ελλάδα", A},
        {"sCurrency", u"€", A},
        {"sDate", u"/", A},
        {"sDecimal", u",", A},
        {"sLanguage", u"ELL", A},
        {"sList", u";", A},
        {"sLongDate", u"dddd, d MMMM yyyy", A},
        {"sShortDate", u"dd/MM/yyyy", A},
        {"sThousand", u".", A},
        {"sTime", u":", A},
        {"sTimeFormat", u"HH:mm:ss", A},
        {"sMonDecimalSep", u",", A},
        {"sMonThousandSep", u".", A},
        {"LocaleName", u"el-GR", B},
        {"sYearMonth", u"MMMM yyyy", B},
        {"sShortTime", u"HH:mm", C},
    };
    const bool groupA = !onWindows || IsRepairableWindowsVersion(osName);
    const bool groupB = !onWindows
        || osName == QLatin1String("Windows 8") || osName == QLatin1String("Windows Vista/Server 2008")
        || osName == QLatin1String("Windows 7/Server 2008 R2");
    const bool groupC = !onWindows
        || osName == QLatin1String("Windows 7/Server 2008 R2") || osName == QLatin1String("Windows 8");

    QList<QPair<QString, QString>> values;
    for (const Entry& e : kTable) {
        const bool write = (e.group == A && groupA) || (e.group == B && groupB) || (e.group == C && groupC);
        if (write)
            values.append({QString::fromLatin1(e.name), QString::fromUtf16(e.value)});
    }
    return values;
}
