#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class Database;

// The history file: one law id a line, in the order of the list.
QStringList ReadHistoryLines(const QString& path, bool* opened = nullptr);
// Writes the ids, replacing the file; false when it cannot be written.
bool WriteHistoryFile(const QString& path, const QList<qint32>& ids);

// The entries the lines give: each line's law title and id, in order. A line
// that is not a number ends the list there; an id with no law adds nothing.
QList<QPair<QString, qint32>> HistoryEntries(Database& db, const QStringList& lines);
