#pragma once

#include <QString>

class Database;

inline const QString kVersionTestSql = QStringLiteral("SELECT max(TYPE_ID) as sMaxTypeId FROM LAWTYPE ");

// True when the database answers the test query on the table of legislation
// types; any error counts as a database of the wrong version.
bool DatabaseVersionOk(Database& connection);
