#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class Database;

// The most entries a history list holds.
constexpr int kMaxHistoryEntries = 32767;

// The history file: one law id a line, in the order of the list. Lines may
// end in CR LF or LF alone, the file may start with a byte-order mark, and
// blanks around a line are dropped. At most kMaxHistoryEntries lines are
// read, one at a time; whole tells whether the file was read to its end.
QStringList ReadHistoryLines(const QString& path, bool* opened = nullptr, bool* whole = nullptr);
// Writes the ids to a new file beside the old one, which it replaces only once
// the whole list is written; false when it cannot be written, and the old
// file is then as it was. afterLine runs after each line is written.
bool WriteHistoryFile(const QString& path, const QList<qint32>& ids,
                      const std::function<void()>& afterLine = {});

// Where the history is kept: the program's folder, as the program always
// did, or the user's data folder when the program's folder cannot be
// written. Of two copies the one written last is read.
// An installation's folder is never written: its program folder is empty.
class HistoryStore {
public:
    HistoryStore(QString programFolder, QString userFolder);
    // The file the list is read from.
    QString loadPath() const;
    // Writes the list where it can be written, and drops the user's copy
    // once the program's folder takes the list again.
    bool save(const QList<qint32>& ids) const;

private:
    QString m_programFile;
    QString m_userFile;
};

// The entries the lines give: each line's law title and id, in order. A line
// that is not a number, or a failing query, ends the list there (complete is
// then false); an id with no law adds nothing.
QList<QPair<QString, qint32>> HistoryEntries(Database& db, const QStringList& lines, bool* complete = nullptr);
