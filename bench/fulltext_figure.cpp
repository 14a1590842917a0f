// The full-text index: its build against an FTS5 build of the same texts
// with SQLite's own unicode61 tokenizer, and a query of 50 ranked hits with
// snippets against the same query on that index.
#include "fulltext/FullTextIndex.h"
#include "fulltext/GreekTokenizer.h"
#include "fulltext/IndexSources.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <vector>

long PeakKb();
void ResetPeak();

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

double Ms(const QElapsedTimer& t)
{
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// The same texts into an index of the same shape, in batches as the program
// writes them, with the tokenizer named.
void WriteIndex(const QString& path, const char* tokenize, const std::vector<FullText::IndexDoc>& docs)
{
    QFile::remove(path);
    auto db = FullText::OpenIndex(path, false);
    sqlite3* d = db.get();
    sqlite3_exec(d, "PRAGMA journal_mode = MEMORY; PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
    const std::string schema = std::string("CREATE TABLE doc(rowid INTEGER PRIMARY KEY, kind, id, law_id, type_id, year,"
                                           " opens_in, law_code, issue_date, shown_title, article);"
                                           "CREATE VIRTUAL TABLE fts USING fts5(title, body, tokenize = '")
        + tokenize + "'); INSERT INTO fts(fts, rank) VALUES('rank', 'bm25(10.0, 1.0)');";
    sqlite3_exec(d, schema.c_str(), nullptr, nullptr, nullptr);
    sqlite3_stmt* doc = nullptr;
    sqlite3_stmt* fts = nullptr;
    sqlite3_prepare_v2(d, "INSERT INTO doc VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)", -1, &doc, nullptr);
    sqlite3_prepare_v2(d, "INSERT INTO fts(rowid, title, body) VALUES(?1, ?2, ?3)", -1, &fts, nullptr);
    const auto text = [](sqlite3_stmt* s, int i, const std::string& v) {
        sqlite3_bind_text(s, i, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
    };
    sqlite3_exec(d, "BEGIN", nullptr, nullptr, nullptr);
    qint64 row = 0;
    for (const FullText::IndexDoc& x : docs) {
        ++row;
        sqlite3_bind_int64(doc, 1, row);
        sqlite3_bind_int(doc, 2, static_cast<int>(x.kind));
        sqlite3_bind_int64(doc, 3, x.id);
        sqlite3_bind_int64(doc, 4, x.lawId);
        sqlite3_bind_int64(doc, 5, x.typeId);
        sqlite3_bind_int64(doc, 6, x.year);
        sqlite3_bind_int64(doc, 7, x.opensIn);
        text(doc, 8, x.lawCode);
        text(doc, 9, x.issueDate);
        text(doc, 10, x.shownTitle);
        text(doc, 11, x.article);
        sqlite3_step(doc);
        sqlite3_reset(doc);
        sqlite3_bind_int64(fts, 1, row);
        text(fts, 2, x.title);
        text(fts, 3, x.body);
        sqlite3_step(fts);
        sqlite3_reset(fts);
        if (row % 2000 == 0)
            sqlite3_exec(d, "COMMIT; BEGIN", nullptr, nullptr, nullptr);
    }
    sqlite3_exec(d, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(doc);
    sqlite3_finalize(fts);
}

// The floor's query: the program's statements with a plain word to match:
// the best 50 rows, their columns and snippets, and the count. Its snippet
// is a plain search for the word: FTS5's own snippet() takes minutes on a
// document with a word 800,000 times, which is why the program makes its own.
double FloorQuery(sqlite3* db, const QByteArray& word, int* hits)
{
    QElapsedTimer t;
    t.start();
    const QByteArray match = '"' + word + '"';
    sqlite3_stmt* top = nullptr;
    sqlite3_stmt* columns = nullptr;
    sqlite3_stmt* count = nullptr;
    sqlite3_prepare_v2(db, "SELECT fts.rowid, rank FROM fts JOIN doc ON doc.rowid = fts.rowid WHERE fts MATCH ?1"
                           " ORDER BY rank, doc.issue_date DESC LIMIT 50", -1, &top, nullptr);
    sqlite3_prepare_v2(db, "SELECT doc.kind, doc.id, doc.law_id, doc.opens_in, NULL, doc.law_code, doc.issue_date,"
                           " doc.shown_title, doc.article, fts.body"
                           " FROM fts JOIN doc ON doc.rowid = fts.rowid WHERE fts MATCH ?1 AND fts.rowid = ?2",
                       -1, &columns, nullptr);
    sqlite3_prepare_v2(db, "SELECT count(*) FROM fts JOIN doc ON doc.rowid = fts.rowid WHERE fts MATCH ?1", -1, &count,
                       nullptr);
    for (sqlite3_stmt* st : {top, columns, count})
        sqlite3_bind_text(st, 1, match.constData(), static_cast<int>(match.size()), SQLITE_STATIC);
    std::vector<qint64> rows;
    while (sqlite3_step(top) == SQLITE_ROW)
        rows.push_back(sqlite3_column_int64(top, 0));
    *hits = 0;
    qsizetype snippets = 0;
    for (const qint64 row : rows) {
        sqlite3_bind_int64(columns, 2, row);
        if (sqlite3_step(columns) == SQLITE_ROW) {
            ++*hits;
            for (int c = 0; c < 9; ++c)
                sqlite3_column_text(columns, c);
            // Its snippet: the text around the word's first occurrence, as
            // far into the text as the program looks.
            const auto* body = reinterpret_cast<const char*>(sqlite3_column_text(columns, 9));
            const QString text = QString::fromUtf8(body ? body : "", std::min(sqlite3_column_bytes(columns, 9), 2 << 20));
            const qsizetype at = text.indexOf(QString::fromUtf8(word), 0, Qt::CaseInsensitive);
            snippets += text.mid(std::max<qsizetype>(0, at - 60), 160).size();
        }
        sqlite3_reset(columns);
    }
    sqlite3_step(count);
    (void)snippets;
    for (sqlite3_stmt* st : {top, columns, count})
        sqlite3_finalize(st);
    return Ms(t);
}

// The commonest word of the texts, and one that occurs in a handful of them.
void PickWords(sqlite3* floor, QByteArray* common, QByteArray* rare)
{
    sqlite3_exec(floor, "CREATE VIRTUAL TABLE temp.vocab USING fts5vocab(main, fts, row)", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(floor, "SELECT term FROM vocab ORDER BY doc DESC LIMIT 1", -1, &st, nullptr);
    if (sqlite3_step(st) == SQLITE_ROW)
        *common = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
    sqlite3_prepare_v2(floor, "SELECT term FROM vocab WHERE doc BETWEEN 2 AND 5 AND length(term) >= 3 ORDER BY doc DESC, term LIMIT 1", -1, &st,
                       nullptr);
    if (sqlite3_step(st) == SQLITE_ROW)
        *rare = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
    sqlite3_finalize(st);
}

} // namespace

void MeasureFullText(const QString& dbPath, int runs)
{
    QTemporaryDir dir;
    std::vector<FullText::IndexDoc> docs;
    double textBytes = 0;
    QElapsedTimer t;
    t.start();
    {
        sqlite3* source = nullptr;
        sqlite3_open_v2(dbPath.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr);
        const std::atomic<bool> stop{false};
        FullText::ReadIndexDocs(source, [](qint64) {}, [&](FullText::IndexDoc& d) {
            textBytes += static_cast<double>(d.title.size() + d.body.size());
            docs.push_back(std::move(d));
        }, stop);
        sqlite3_close(source);
    }
    const double extraction = Ms(t);

    std::vector<double> program, tokenizerOnly, floor;
    long buildPeakKb = 0;
    const QString ours = dir.filePath(QStringLiteral("ours.fts"));
    const QString same = dir.filePath(QStringLiteral("same.fts"));
    const QString plain = dir.filePath(QStringLiteral("plain.fts"));
    for (int run = 0; run < runs; ++run) {
        QFile::remove(ours);
        const long before = PeakKb();
        ResetPeak();
        const long base = PeakKb();
        t.restart();
        const std::atomic<bool> stop{false};
        FullText::BuildIndex(dbPath, ours, stop, {});
        program.push_back(Ms(t));
        buildPeakKb = std::max(buildPeakKb, PeakKb() - base);
        (void)before;
        t.restart();
        WriteIndex(same, "selvara", docs);
        tokenizerOnly.push_back(Ms(t));
        t.restart();
        WriteIndex(plain, "unicode61 remove_diacritics 2", docs);
        floor.push_back(Ms(t));
    }
    const double f = Median(floor);
    std::printf("%-34s %10.1f ms  floor %9.1f ms (x %4.2f)  (target < 1.5 x)\n", "full-text index build", Median(program),
                f, f > 0 ? Median(program) / f : 0.0);
    std::printf("%-34s %10.1f ms  floor %9.1f ms (x %4.2f)  texts extracted once: %.1f ms\n",
                "  the same texts, our tokenizer", Median(tokenizerOnly), f, f > 0 ? Median(tokenizerOnly) / f : 0.0,
                extraction);
    std::printf("%-34s %10.1f MB for %.1f MB of text (unicode61: %.1f MB); build adds %.1f MB to the peak (target < 150 MB)\n",
                "  index size", static_cast<double>(QFileInfo(ours).size()) / 1048576.0, textBytes / 1048576.0,
                static_cast<double>(QFileInfo(plain).size()) / 1048576.0, static_cast<double>(buildPeakKb) / 1024.0);

    auto mine = FullText::OpenIndex(ours, true);
    auto theirs = FullText::OpenIndex(plain, true);
    QByteArray common, rare;
    PickWords(theirs.get(), &common, &rare);
    FullText::WordStemmer stemmer;
    for (const auto& [label, word] : {std::pair<const char*, QByteArray>{"query, commonest word", common},
                                      {"query, rare word", rare}}) {
        std::vector<double> ms, floorMs;
        int hits = 0;
        int floorHits = 0;
        for (int run = 0; run < runs; ++run) {
            t.restart();
            const FullText::Results r =
                FullText::Search(mine.get(), FullText::ParseQuery(QString::fromUtf8(word), stemmer, FullText::IndexExpander(mine.get())), {}, 50, stemmer);
            ms.push_back(Ms(t));
            hits = static_cast<int>(r.hits.size());
            floorMs.push_back(FloorQuery(theirs.get(), word, &floorHits));
        }
        const double q = Median(ms);
        const double qf = Median(floorMs);
        std::printf("%-34s %10.1f ms  floor %9.1f ms (x %4.2f)  «%s», %d and %d hits (target < 1.3 x)\n", label, q, qf,
                    qf > 0 ? q / qf : 0.0, word.constData(), hits, floorHits);
    }
}
