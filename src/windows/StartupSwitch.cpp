#include "windows/StartupSwitch.h"

#include "data/Database.h"
#include "startup/Registry.h"

namespace StartupSwitch {

namespace {
const QString kKey = QStringLiteral("\\TARVO");
const QString kValue = QStringLiteral("SysInfoDisplay");
}

std::optional<qint32> UserValue(RegistryStore& registry)
{
    bool ok = false;
    const qint32 value = GetRegString(registry, true, kKey, kValue, QString()).toInt(&ok);
    return ok ? std::optional<qint32>(value) : std::nullopt;
}

void Store(Database& db, RegistryStore& registry, const QString& update, qint32 value)
{
    if (db.isReadOnly()) {
        SetRegString(registry, kKey, kValue, QString::number(value));
        return;
    }
    db.execute(update);
    if (UserValue(registry))
        SetRegString(registry, kKey, kValue, QString::number(value));
}

} // namespace StartupSwitch
