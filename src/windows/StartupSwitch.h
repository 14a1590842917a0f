#pragma once

#include <QString>

#include <optional>

class Database;
class RegistryStore;

// Whether the general-information window opens at start-up
// (system_law_parameters.sys_info_display): the one value the program writes
// to its database. An installed database is never written; the user's
// settings keep the value then, and are read before the database.
namespace StartupSwitch {

// The value the user's settings keep, if they keep one.
std::optional<qint32> UserValue(RegistryStore& registry);

// Runs the update when the database can be written, else keeps the value in
// the user's settings; a value the settings already keep follows it.
void Store(Database& db, RegistryStore& registry, const QString& update, qint32 value);

} // namespace StartupSwitch
