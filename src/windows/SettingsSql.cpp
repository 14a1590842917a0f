#include "windows/SettingsSql.h"

namespace SettingsSql {

QString UpdateFromSettings(int value)
{
    return QStringLiteral(" UPDATE system_law_parameters SET sys_info_display = ") + QString::number(value);
}

QString UpdateFromSystemInfo(int value)
{
    return QStringLiteral(" UPDATE  system_law_parameters SET sys_info_display =") + QString::number(value);
}

} // namespace SettingsSql
