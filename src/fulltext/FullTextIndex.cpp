#include "fulltext/FullTextIndex.h"

#include "fulltext/GreekTokenizer.h"
#include "fulltext/IndexSources.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <numeric>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace FullText {

namespace {

// Raised whenever what goes into the index, or how, changes: an index of an
// older format is rebuilt.
constexpr const char* kFormat = "selvara-fulltext-1";
// Entries written between two commits: a search during the build sees each
// batch as soon as it is committed.
constexpr int kBatch = 2000;

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

Statement Prepare(sqlite3* db, const char* sql)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    return Statement(st, &sqlite3_finalize);
}

bool Exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

QString ColumnText(sqlite3_stmt* st, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(st, column)) : QString();
}

void BindText(sqlite3_stmt* st, int index, const std::string& text)
{
    sqlite3_bind_text(st, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

std::string_view ColumnView(sqlite3_stmt* st, int column)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
    return text ? std::string_view(text, static_cast<size_t>(sqlite3_column_bytes(st, column))) : std::string_view();
}

QString Meta(sqlite3* db, const char* key)
{
    Statement st = Prepare(db, "SELECT value FROM meta WHERE key = ?1");
    if (!st)
        return QString();
    sqlite3_bind_text(st.get(), 1, key, -1, SQLITE_STATIC);
    return sqlite3_step(st.get()) == SQLITE_ROW ? ColumnText(st.get(), 0) : QString();
}

bool SyncFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

} // namespace

QString IndexPath(const QString& cacheFolder, const QString& databasePath)
{
    const QFileInfo info(databasePath);
    const QString where = info.canonicalFilePath().isEmpty() ? info.absoluteFilePath() : info.canonicalFilePath();
    const QByteArray digest = QCryptographicHash::hash(where.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QDir(cacheFolder).filePath(info.completeBaseName() + u'-' + QString::fromLatin1(digest) + QStringLiteral(".fts"));
}

QString SourceKey(const QString& databasePath)
{
    const QFileInfo info(databasePath);
    QFile file(databasePath);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return QString();
    constexpr qint64 kSample = 64 * 1024;
    QCryptographicHash digest(QCryptographicHash::Sha1);
    const QByteArray head = file.read(kSample);
    digest.addData(head);
    if (file.size() > kSample && file.seek(file.size() - kSample))
        digest.addData(file.read(kSample));
    // SQLite counts every change of the file at bytes 24 to 27 of its header.
    const QByteArray counter = head.mid(24, 4).toHex();
    return info.absoluteFilePath() + u'|' + QString::number(info.size()) + u'|'
        + QString::number(info.lastModified().toMSecsSinceEpoch()) + u'|' + QString::fromLatin1(counter) + u'|'
        + QString::fromLatin1(digest.result().toHex());
}

std::shared_ptr<sqlite3> OpenIndex(const QString& target, bool readOnly)
{
    sqlite3* db = nullptr;
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) | SQLITE_OPEN_URI
        | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(target.toUtf8().constData(), &db, flags, nullptr);
    std::shared_ptr<sqlite3> owned(db, [](sqlite3* d) { sqlite3_close_v2(d); });
    if (rc != SQLITE_OK || !RegisterTokenizer(db))
        return nullptr;
    sqlite3_busy_timeout(db, 5000);
    // A search while the index is built in memory reads what is committed
    // without waiting for the builder's table locks.
    if (target.startsWith(QLatin1String("file:")))
        Exec(db, "PRAGMA read_uncommitted = 1");
    return owned;
}

QString MemoryTarget()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("file:selvara-fulltext-%1-%2?mode=memory&cache=shared")
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

bool IndexIsCurrent(const QString& indexPath, const QString& key)
{
    if (key.isEmpty() || !QFileInfo(indexPath).isFile())
        return false;
    const std::shared_ptr<sqlite3> db = OpenIndex(indexPath, true);
    if (!db)
        return false;
    if (Meta(db.get(), "format") != QLatin1String(kFormat) || Meta(db.get(), "complete") != QLatin1String("1")
        || Meta(db.get(), "source") != key)
        return false;
    // The index itself must answer, not just its notes.
    Statement probe = Prepare(db.get(), "SELECT count(*) FROM fts WHERE fts MATCH '\"0\"'");
    return probe && sqlite3_step(probe.get()) == SQLITE_ROW;
}

namespace {

constexpr const char* kSchema =
    "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT);"
    "CREATE TABLE types(type_id INTEGER PRIMARY KEY, name TEXT, ord INTEGER);"
    "CREATE TABLE doc(rowid INTEGER PRIMARY KEY, kind INTEGER, id INTEGER, law_id INTEGER, type_id INTEGER,"
    " year INTEGER, opens_in INTEGER, law_code TEXT, issue_date TEXT, shown_title TEXT, article TEXT);"
    "CREATE VIRTUAL TABLE fts USING fts5(title, body, tokenize = 'selvara');"
    // A word of the title counts ten times a word of the text.
    "INSERT INTO fts(fts, rank) VALUES('rank', 'bm25(10.0, 1.0)');";

class Writer {
public:
    explicit Writer(sqlite3* db)
        : m_doc(Prepare(db, "INSERT INTO doc VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)")),
          m_fts(Prepare(db, "INSERT INTO fts(rowid, title, body) VALUES(?1, ?2, ?3)"))
    {
    }
    bool ok() const { return m_doc && m_fts; }

    bool add(qint64 rowid, const IndexDoc& d)
    {
        sqlite3_stmt* s = m_doc.get();
        sqlite3_bind_int64(s, 1, rowid);
        sqlite3_bind_int(s, 2, static_cast<int>(d.kind));
        sqlite3_bind_int64(s, 3, d.id);
        sqlite3_bind_int64(s, 4, d.lawId);
        sqlite3_bind_int64(s, 5, d.typeId);
        sqlite3_bind_int64(s, 6, d.year);
        sqlite3_bind_int64(s, 7, d.opensIn);
        BindText(s, 8, d.lawCode);
        BindText(s, 9, d.issueDate);
        BindText(s, 10, d.shownTitle);
        BindText(s, 11, d.article);
        const bool docOk = sqlite3_step(s) == SQLITE_DONE;
        sqlite3_reset(s);
        sqlite3_stmt* f = m_fts.get();
        sqlite3_bind_int64(f, 1, rowid);
        BindText(f, 2, d.title);
        BindText(f, 3, d.body);
        const bool ftsOk = sqlite3_step(f) == SQLITE_DONE;
        sqlite3_reset(f);
        return docOk && ftsOk;
    }

private:
    Statement m_doc;
    Statement m_fts;
};

bool CopyTypes(sqlite3* source, sqlite3* index)
{
    Statement read = Prepare(source, "SELECT type_id, descr, LAWTYPE_ORDERNO FROM LAWTYPE WHERE display_flag = 1");
    Statement write = Prepare(index, "INSERT OR IGNORE INTO types VALUES(?1, ?2, ?3)");
    if (!read || !write)
        return false;
    while (sqlite3_step(read.get()) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(read.get(), 1));
        const std::string name = HtmlToText(text ? text : "");
        sqlite3_bind_int64(write.get(), 1, sqlite3_column_int64(read.get(), 0));
        BindText(write.get(), 2, name);
        sqlite3_bind_int64(write.get(), 3, sqlite3_column_int64(read.get(), 2));
        sqlite3_step(write.get());
        sqlite3_reset(write.get());
    }
    return true;
}

} // namespace

BuildResult BuildIndex(const QString& databasePath, const QString& target, const std::atomic<bool>& stop,
                       const BuildHooks& hooks, std::shared_ptr<sqlite3>* memory)
{
    const QString key = SourceKey(databasePath);
    sqlite3* sourceDb = nullptr;
    const int opened = sqlite3_open_v2(databasePath.toUtf8().constData(), &sourceDb,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    const std::unique_ptr<sqlite3, decltype(&sqlite3_close_v2)> source(sourceDb, &sqlite3_close_v2);
    if (opened != SQLITE_OK || key.isEmpty())
        return BuildResult::Failed;
    sqlite3_busy_timeout(sourceDb, 5000);

    const bool inMemory = target.startsWith(QLatin1String("file:"));
    QString part;
    if (!inMemory) {
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return BuildResult::Failed;
        // Written beside its final name, under a name no other build uses.
        QTemporaryFile file(target + QStringLiteral(".XXXXXX.part"));
        file.setAutoRemove(false);
        if (!file.open())
            return BuildResult::Failed;
        part = file.fileName();
    }
    const auto discard = [&part] {
        if (!part.isEmpty())
            QFile::remove(part);
    };
    std::shared_ptr<sqlite3> index = OpenIndex(inMemory ? target : part, false);
    if (!index) {
        discard();
        return BuildResult::Failed;
    }
    sqlite3* db = index.get();
    // The part file is thrown away whenever the build does not finish, so
    // it needs no journal; it is synced once, before it takes its name.
    Exec(db, "PRAGMA journal_mode = MEMORY");
    Exec(db, "PRAGMA synchronous = OFF");
    if (!Exec(db, kSchema) || !CopyTypes(sourceDb, db)) {
        index.reset();
        discard();
        return BuildResult::Failed;
    }

    Writer writer(db);
    qint64 total = 0;
    qint64 done = 0;
    bool ok = writer.ok() && Exec(db, "BEGIN");
    bool announced = false;
    const bool walked = ok && ReadIndexDocs(
        sourceDb, [&](qint64 all) { total = all; },
        [&](IndexDoc& doc) {
            if (!ok)
                return;
            ok = writer.add(++done, doc);
            if (done % kBatch == 0) {
                ok = ok && Exec(db, "COMMIT") && Exec(db, "BEGIN");
                if (!announced && hooks.searchable) {
                    announced = true;
                    hooks.searchable(inMemory ? target : part);
                }
            }
            if (hooks.progress && done % 500 == 0)
                hooks.progress(done, total);
        },
        stop);
    if (!walked || !ok || stop) {
        Exec(db, "ROLLBACK");
        index.reset();
        discard();
        return stop ? BuildResult::Stopped : BuildResult::Failed;
    }
    Statement note = Prepare(db, "INSERT INTO meta VALUES(?1, ?2)");
    for (const auto& [k, v] : {std::pair<QByteArray, QByteArray>{"source", key.toUtf8()}, {"format", kFormat},
                               {"complete", "1"}}) {
        sqlite3_bind_text(note.get(), 1, k.constData(), static_cast<int>(k.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(note.get(), 2, v.constData(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        ok = ok && sqlite3_step(note.get()) == SQLITE_DONE;
        sqlite3_reset(note.get());
    }
    note.reset();
    ok = ok && Exec(db, "COMMIT");
    if (hooks.progress)
        hooks.progress(total, total);
    if (inMemory) {
        if (ok && memory)
            *memory = index;
        return ok ? BuildResult::Built : BuildResult::Failed;
    }
    index.reset();
    std::error_code error;
    if (ok && SyncFile(part))
        std::filesystem::rename(part.toStdString(), target.toStdString(), error);
    if (!ok || error) {
        discard();
        return BuildResult::Failed;
    }
    return BuildResult::Built;
}

BuildResult PrepareIndex(const QString& databasePath, const QString& cacheFolder, const std::atomic<bool>& stop,
                         const BuildHooks& hooks, IndexHandle* handle)
{
    const QString path = IndexPath(cacheFolder, databasePath);
    if (IndexIsCurrent(path, SourceKey(databasePath))) {
        handle->target = path;
        return BuildResult::Built;
    }
    const BuildResult onDisk = BuildIndex(databasePath, path, stop, hooks);
    if (onDisk != BuildResult::Failed) {
        handle->target = path;
        return onDisk;
    }
    // The cache folder cannot be written (or the disk is full): the index
    // lives as long as this process.
    handle->target = MemoryTarget();
    return BuildIndex(databasePath, handle->target, stop, hooks, &handle->memory);
}

QString Snippet(std::string_view text, const Query& query, WordStemmer& stemmer)
{
    constexpr size_t kBefore = 6;
    constexpr int kAfter = 12;
    // A match far into a very long document is not looked for.
    constexpr size_t kScanBytes = 2 * 1024 * 1024;
    const std::string_view scanned = text.substr(0, kScanBytes);
    std::vector<int> recent;
    int from = -1;
    int to = 0;
    int after = 0;
    std::vector<std::pair<int, int>> marks;
    ScanWords(scanned, stemmer, [&](std::string_view folded, std::string_view stem, int start, int end) {
        const bool wanted = Wanted(query, folded, stem);
        if (from < 0) {
            if (!wanted) {
                recent.push_back(start);
                if (recent.size() > kBefore)
                    recent.erase(recent.begin());
                return true;
            }
            from = recent.empty() ? start : recent.front();
        } else {
            ++after;
        }
        to = end;
        if (wanted)
            marks.emplace_back(start, end);
        return after < kAfter;
    });
    if (from < 0)
        return QString();
    QString out;
    if (from > 0)
        out += QStringLiteral("…");
    int at = from;
    for (const auto& [start, end] : marks) {
        out += QString::fromUtf8(text.data() + at, start - at) + kMarkOpen
            + QString::fromUtf8(text.data() + start, end - start) + kMarkClose;
        at = end;
    }
    out += QString::fromUtf8(text.data() + at, to - at);
    if (static_cast<size_t>(to) < text.size())
        out += QStringLiteral("…");
    return out.simplified();
}

Results Search(sqlite3* index, const Query& query, const Filter& filter, int limit, WordStemmer& stemmer)
{
    Results results;
    if (query.match.isEmpty())
        return results;
    static constexpr const char* kWhere =
        " WHERE fts MATCH ?1"
        " AND (?2 = 0 OR (doc.kind = 0 AND doc.type_id = ?2))"
        " AND (?3 = 0 OR (doc.kind = 0 AND doc.year >= ?3))"
        " AND (?4 = 0 OR (doc.kind = 0 AND doc.year <= ?4))";
    // The best rows first, then the columns of those alone: SQLite computes
    // every column of every row it sorts, and a snippet of each of thousands
    // of matching rows would cost more than the search.
    const std::string best = std::string("SELECT fts.rowid, rank FROM fts JOIN doc ON doc.rowid = fts.rowid") + kWhere
        + " ORDER BY rank, doc.issue_date DESC LIMIT ?5";
    static constexpr const char* kColumns =
        "SELECT doc.kind, doc.id, doc.law_id, doc.opens_in, types.name, doc.law_code, doc.issue_date,"
        " doc.shown_title, doc.article, fts.body, fts.title"
        " FROM fts JOIN doc ON doc.rowid = fts.rowid LEFT JOIN types ON types.type_id = doc.type_id"
        " WHERE fts MATCH ?1 AND fts.rowid = ?2";
    const std::string count = std::string("SELECT count(*) FROM fts JOIN doc ON doc.rowid = fts.rowid") + kWhere;
    const auto bind = [&](sqlite3_stmt* st) {
        sqlite3_bind_text(st, 1, query.match.constData(), static_cast<int>(query.match.size()), SQLITE_STATIC);
        sqlite3_bind_int64(st, 2, filter.typeId);
        sqlite3_bind_int(st, 3, filter.yearFrom);
        sqlite3_bind_int(st, 4, filter.yearTo);
    };
    const auto finish = [&](int rc) {
        results.interrupted = rc == SQLITE_INTERRUPT;
        results.failed = rc != SQLITE_DONE && rc != SQLITE_ROW;
    };
    Statement top = Prepare(index, best.c_str());
    Statement columns = Prepare(index, kColumns);
    if (!top || !columns) {
        finish(sqlite3_errcode(index));
        return results;
    }
    bind(top.get());
    // More candidates than asked for: a form as typed lifts a row above those
    // that match on the stem alone.
    const int candidates = query.exact.isEmpty() ? limit : std::max(limit * 4, 200);
    sqlite3_bind_int(top.get(), 5, candidates);
    std::vector<std::pair<qint64, double>> rows;
    int rc;
    while ((rc = sqlite3_step(top.get())) == SQLITE_ROW)
        rows.emplace_back(sqlite3_column_int64(top.get(), 0), sqlite3_column_double(top.get(), 1));
    if (rc != SQLITE_DONE) {
        finish(rc);
        return results;
    }
    if (!query.exact.isEmpty()) {
        Statement exact = Prepare(index, "SELECT 1 FROM fts WHERE fts MATCH ?1 AND rowid = ?2");
        if (!exact) {
            finish(sqlite3_errcode(index));
            return results;
        }
        sqlite3_bind_text(exact.get(), 1, query.exact.constData(), static_cast<int>(query.exact.size()), SQLITE_STATIC);
        std::vector<bool> asTyped;
        for (const auto& row : rows) {
            sqlite3_bind_int64(exact.get(), 2, row.first);
            asTyped.push_back(sqlite3_step(exact.get()) == SQLITE_ROW);
            sqlite3_reset(exact.get());
        }
        std::vector<size_t> order(rows.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return asTyped[a] > asTyped[b]; });
        std::vector<std::pair<qint64, double>> sorted;
        for (size_t i = 0; i < order.size() && static_cast<int>(sorted.size()) < limit; ++i)
            sorted.push_back(rows[order[i]]);
        rows = std::move(sorted);
    }
    sqlite3_bind_text(columns.get(), 1, query.match.constData(), static_cast<int>(query.match.size()), SQLITE_STATIC);
    for (const auto& [rowid, rank] : rows) {
        sqlite3_stmt* r = columns.get();
        sqlite3_bind_int64(r, 2, rowid);
        rc = sqlite3_step(r);
        if (rc != SQLITE_ROW) {
            finish(rc);
            return results;
        }
        Hit hit;
        hit.kind = sqlite3_column_int(r, 0);
        hit.id = sqlite3_column_int64(r, 1);
        hit.lawId = sqlite3_column_int64(r, 2);
        hit.opensIn = sqlite3_column_int64(r, 3);
        hit.typeName = ColumnText(r, 4);
        hit.lawCode = ColumnText(r, 5);
        hit.issueDate = ColumnText(r, 6);
        hit.title = ColumnText(r, 7);
        hit.article = ColumnText(r, 8);
        hit.snippet = Snippet(ColumnView(r, 9), query, stemmer);
        if (hit.snippet.isEmpty())
            hit.snippet = Snippet(ColumnView(r, 10), query, stemmer);
        hit.rank = rank;
        results.hits << hit;
        sqlite3_reset(r);
    }
    Statement all = Prepare(index, count.c_str());
    if (!all) {
        finish(sqlite3_errcode(index));
        return results;
    }
    bind(all.get());
    rc = sqlite3_step(all.get());
    if (rc == SQLITE_ROW)
        results.count = sqlite3_column_int64(all.get(), 0);
    finish(rc);
    return results;
}

StemExpander IndexExpander(sqlite3* index)
{
    return [index](const std::string& prefix) {
        std::vector<std::string> forms;
        Exec(index, "CREATE VIRTUAL TABLE IF NOT EXISTS temp.stems USING fts5vocab(main, fts, row)");
        Statement st = Prepare(index, "SELECT term FROM temp.stems WHERE term >= ?1 AND term < ?2 LIMIT ?3");
        if (!st)
            return forms;
        // Every longer stem sorts between the prefix and the prefix followed
        // by a byte no UTF-8 text has.
        const std::string end = prefix + '\xff';
        sqlite3_bind_text(st.get(), 1, prefix.data(), static_cast<int>(prefix.size()), SQLITE_STATIC);
        sqlite3_bind_text(st.get(), 2, end.data(), static_cast<int>(end.size()), SQLITE_STATIC);
        sqlite3_bind_int(st.get(), 3, static_cast<int>(kMaxStemForms + 1));
        while (sqlite3_step(st.get()) == SQLITE_ROW)
            forms.emplace_back(ColumnView(st.get(), 0));
        return forms;
    };
}

QList<QPair<qint64, QString>> LawTypes(sqlite3* index)
{
    QList<QPair<qint64, QString>> types;
    Statement st = Prepare(index, "SELECT type_id, name FROM types ORDER BY ord, type_id");
    while (st && sqlite3_step(st.get()) == SQLITE_ROW)
        types.append({sqlite3_column_int64(st.get(), 0), ColumnText(st.get(), 1)});
    return types;
}

} // namespace FullText
