#pragma once

#include <QString>

namespace SettingsSql {

// The settings window's store of the start-up switch.
QString UpdateFromSettings(int value);
// The general-information window's store of the same switch.
QString UpdateFromSystemInfo(int value);

} // namespace SettingsSql
