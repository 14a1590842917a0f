#pragma once

#include "fulltext/FtsQuery.h"
#include "fulltext/IndexSources.h"

#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>

struct sqlite3;

namespace FullText {

// The index is a separate SQLite file in the user's cache folder, named for
// the database it indexes, never inside the legislation database (which is
// read-only when installed, and the publisher's format). It records the
// state of the database it was made from and is rebuilt when that changes.

// Where the index of the database lives.
QString IndexPath(const QString& cacheFolder, const QString& databasePath);

// The state of the database file: its path, size, modification time, the
// change counter SQLite keeps in its header and a digest of its first and
// last pages. Empty when the file cannot be read.
QString SourceKey(const QString& databasePath);

// Whether the file is a whole index made from that state, by this program's
// way of indexing. A missing, damaged, stale or half-written one is not.
bool IndexIsCurrent(const QString& indexPath, const QString& key);

// Opens a connection for the index with the tokenizer registered (null on
// failure). A target that starts with "file:" is an SQLite URI.
std::shared_ptr<sqlite3> OpenIndex(const QString& target, bool readOnly);

// A memory address for an index kept in this process alone, for a cache
// folder that cannot be written.
QString MemoryTarget();

enum class BuildResult { Built, Stopped, Failed };

struct BuildHooks {
    // Every so many entries, with the count of all.
    std::function<void(qint64 done, qint64 total)> progress;
    // Once the first entries can be searched: where readers find them.
    std::function<void(const QString& partial)> searchable;
};

// Builds the index of the database at target: for a file, written beside it
// and renamed into place when whole; for a memory target, kept open in
// *memory so that it lives on. stop ends the work within a moment.
BuildResult BuildIndex(const QString& databasePath, const QString& target, const std::atomic<bool>& stop,
                       const BuildHooks& hooks, std::shared_ptr<sqlite3>* memory = nullptr);

// Where searches find the index of a database.
struct IndexHandle {
    QString target;                  // a file, or a memory address
    std::shared_ptr<sqlite3> memory; // keeps a memory index alive
};

// The index of the database: its file in the cache folder when that is
// current; else built anew there, or in memory when the folder cannot be
// written.
BuildResult PrepareIndex(const QString& databasePath, const QString& cacheFolder, const std::atomic<bool>& stop,
                         const BuildHooks& hooks, IndexHandle* handle);

struct Hit {
    int kind = 0;  // DocKind
    qint64 id = 0;
    qint64 lawId = 0;
    qint64 opensIn = 0;
    QString typeName;
    QString lawCode;
    QString issueDate;
    QString title;
    QString article;
    QString snippet;  // matched words between kMarkOpen and kMarkClose
    double rank = 0;
};

constexpr QChar kMarkOpen = QChar(0x2);
constexpr QChar kMarkClose = QChar(0x3);

struct Filter {
    qint64 typeId = 0;  // 0: every kind and type
    int yearFrom = 0;
    int yearTo = 0;
};

struct Results {
    QList<Hit> hits;
    qint64 count = 0;
    bool interrupted = false;
    bool failed = false;
};

// Runs the query on an open index: the best `limit` hits, best first, and
// how many there are in all. sqlite3_interrupt on the connection ends it.
Results Search(sqlite3* index, const Query& query, const Filter& filter, int limit, WordStemmer& stemmer);

// The passage of the text around the first word the query looks for, every
// such word between kMarkOpen and kMarkClose; empty when there is none near
// enough to the start. Linear in the text up to that word, however many
// times the word occurs.
QString Snippet(std::string_view text, const Query& query, WordStemmer& stemmer);

// The stems of the open index that start with a prefix.
StemExpander IndexExpander(sqlite3* index);

// The law types the index knows, for the filter: id and name.
QList<QPair<qint64, QString>> LawTypes(sqlite3* index);

} // namespace FullText
