#pragma once

#include <QString>
#include <QStringView>

#include <optional>

struct sqlite3;

// The functions and forms of the original SQL dialect that the program's
// statements use, provided on top of SQLite.
namespace Jet {

// The leading number of a text: leading blanks skipped, an optional sign,
// digits with an optional fraction and exponent, read up to the first
// character that cannot continue it. No number gives 0.
double Val(QStringView text);

// Upper-cases one character for one: characters whose upper case would take
// several characters (or that have none) stay as they are.
QString UCase(QStringView text);

// Blanks (the space character only) removed at both ends, as Trim does.
QString Trim(const QString& text);

// The statement as SQLite must see it: DISTINCTROW, which the original engine
// applies to whole rows of the tables a statement selects from, becomes
// DISTINCT (every statement of the program selects from one table's rows).
QString ToSqlite(const QString& sql);
// Whether ToSqlite would change the statement: most need nothing.
bool NeedsTranslation(QStringView sql);

// Registers val(), ucase() and the search folding function on a connection.
// Returns false when SQLite refused one of them.
bool RegisterFunctions(sqlite3* db);

} // namespace Jet
