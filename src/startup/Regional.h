#pragma once

#include "startup/Platform.h"

#include <QList>
#include <QPair>
#include <QString>

struct AppState;

namespace Regional {

// Where the user sets region and formats, as the sentence "Από … θα πρέπει
// να ορίσετε τα εξής:" names it: the Windows path on Windows, the desktop's
// own place elsewhere (desktop: XDG_CURRENT_DESKTOP).
QString SettingsPlace(bool windows, const QString& desktop);

// Where the repair writes, below the current user's hive.
inline const QString kInternationalKey = QStringLiteral("Control Panel\\International");

// The locale's six values, overlaid by what the repair stored, one character
// each (an empty value becomes one blank).
LocaleValues Snapshot(const LocaleValues& platformValues, RegistryStore& registry);
void StoreSnapshot(AppState& state, const LocaleValues& snapshot);

// The order code of a long-date picture such as "dddd, d MMMM yyyy".
QString LongDateOrderOf(const QString& picture);

} // namespace Regional

// True when the settings in the state's six locale values must be repaired.
bool RegionalSettingsWrong(const AppState& state);

// The version name of the table for Windows; off Windows the system's own name.
QString GetWindowsVersionName(const OsVersion& version);
inline const QString kUnknownWindowsVersion = QStringLiteral("Αδυναμία αναγνώρισης έκδοσης Windows.");

// The values the repair writes for that system, in the order written.
QList<QPair<QString, QString>> RepairValues(const QString& osName, bool onWindows);
// Versions on which the repair button's visibility follows the edition.
bool IsRepairableWindowsVersion(const QString& osName);
