// Writes a large database with the program's schema and the shapes of the
// real data, for measuring the program at scale.
//
//   selvara_generate OUTPUT SCHEMA.sql [--topics N] [--laws N] [--schedule N]
//                    [--document-mb N] [--seed N]
//
// Shapes: a deep topic tree (one topic with 50 abstracts), laws with their
// articles, paragraphs and sub-paragraphs (one law with 300 articles),
// consolidated texts, many keywords, long abstracts, a document guide, and one
// law stored as an attached document of the chosen size.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string output;
    std::string schema;
    int topics = 5000;
    int laws = 20000;
    int schedule = 2000;
    int documentMb = 20;
    unsigned seed = 20261209;
};

const char* kWords[] = {
    "εκπαίδευση", "μαθητές", "εγγραφές", "μετεγγραφές", "απουσίες", "φοίτηση", "εξετάσεις", "βαθμολογία",
    "σύλλογος", "διδασκόντων", "διευθυντής", "υποδιευθυντής", "λύκειο", "γυμνάσιο", "ωρολόγιο", "πρόγραμμα",
    "αξιολόγηση", "μεταθέσεις", "αποσπάσεις", "εκπαιδευτικοί", "άδειες", "εκδρομές", "πειθαρχία", "πιστοποιητικά",
    "τίτλοι", "σπουδών", "ειδική", "αγωγή", "ένταξη", "τμήματα", "διδασκαλία", "βιβλία", "εργαστήρια",
    "επαγγελματική", "κατάρτιση", "πανελλαδικές", "πρόσβαση", "ανώτατη", "σχολική", "ζωή", "συμβούλιο",
    "περιφέρεια", "διεύθυνση", "υπουργείο", "απόφαση", "εγκύκλιος", "διάταγμα", "άρθρο", "παράγραφος"};
constexpr int kWordCount = sizeof(kWords) / sizeof(kWords[0]);

class Writer {
public:
    Writer(sqlite3* db, std::mt19937& random) : m_db(db), m_random(random) {}

    std::string words(int count)
    {
        std::string s;
        for (int i = 0; i < count; ++i) {
            if (i)
                s += ' ';
            s += kWords[pick(kWordCount)];
        }
        return s;
    }

    std::string paragraph(int sentences)
    {
        std::string s = "<p>";
        for (int i = 0; i < sentences; ++i)
            s += words(8 + pick(10)) + ". ";
        return s + "</p>";
    }

    int pick(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    sqlite3_stmt* prepare(const char* sql)
    {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK) {
            std::cerr << "generate: " << sqlite3_errmsg(m_db) << "\n";
            std::exit(1);
        }
        return st;
    }

    void run(sqlite3_stmt* st)
    {
        if (sqlite3_step(st) != SQLITE_DONE) {
            std::cerr << "generate: " << sqlite3_errmsg(m_db) << "\n";
            std::exit(1);
        }
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }

private:
    sqlite3* m_db;
    std::mt19937& m_random;
};

void bindText(sqlite3_stmt* st, int i, const std::string& s)
{
    sqlite3_bind_text(st, i, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

void exec(sqlite3* db, const std::string& sql)
{
    char* err = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::cerr << "generate: " << (err ? err : "error") << "\n";
        std::exit(1);
    }
}

bool parse(int argc, char** argv, Options& o)
{
    if (argc < 3)
        return false;
    o.output = argv[1];
    o.schema = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const int value = std::atoi(argv[i + 1]);
        if (key == "--topics")
            o.topics = value;
        else if (key == "--laws")
            o.laws = value;
        else if (key == "--schedule")
            o.schedule = value;
        else if (key == "--document-mb")
            o.documentMb = value;
        else if (key == "--seed")
            o.seed = static_cast<unsigned>(value);
        else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) {
        std::cerr << "usage: selvara_generate OUTPUT SCHEMA.sql [--topics N] [--laws N] [--schedule N] [--document-mb N] [--seed N]\n";
        return 2;
    }
    std::ifstream schemaFile(o.schema);
    std::stringstream schema;
    schema << schemaFile.rdbuf();
    if (schema.str().empty()) {
        std::cerr << "generate: cannot read " << o.schema << "\n";
        return 1;
    }
    const std::string temp = o.output + ".tmp";
    std::remove(temp.c_str());
    sqlite3* db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK)
        return 1;
    exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
    exec(db, schema.str());
    exec(db, "BEGIN");
    std::mt19937 random(o.seed);
    Writer w(db, random);

    exec(db, "INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES "
             "(1,'Νόμοι',1,-1,1),(2,'Άρθρο',0,0,90),(3,'Προεδρικά Διατάγματα',1,-1,2),(4,'Υπουργικές Αποφάσεις',1,-1,3),"
             "(5,'Παράγραφος',0,0,91),(6,'Εγκύκλιοι',1,-1,4),(7,'Υποπαράγραφος',0,0,92),(8,'Καταργημένα',1,0,5),"
             "(10,'Γνωμοδοτήσεις',1,-1,6),(11,'Αποφάσεις Δικαστηρίων',1,-1,7),(95,'Αρχείο',1,-1,0)");
    exec(db, "INSERT INTO system_law_parameters VALUES (1)");

    // Keywords.
    const int keyCount = 2000;
    sqlite3_stmt* key = w.prepare("INSERT INTO KEYS (KEY_ID, descr) VALUES (?, ?)");
    for (int k = 1; k <= keyCount; ++k) {
        sqlite3_bind_int(key, 1, k);
        std::string upper = "ΛΕΞΗ" + std::to_string(k) + " " + w.words(1);
        bindText(key, 2, upper);
        w.run(key);
    }
    sqlite3_finalize(key);
    exec(db, "UPDATE KEYS SET descr = upper(descr)");

    // Topics: a deep tree; one topic carries 50 abstracts.
    sqlite3_stmt* topic = w.prepare("INSERT INTO topic VALUES (?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* abs = w.prepare("INSERT INTO abstract VALUES (?, ?, ?, ?)");
    sqlite3_stmt* absKey = w.prepare("INSERT INTO ABSTRACT_KEYS VALUES (?, ?)");
    sqlite3_stmt* absLaw = w.prepare("INSERT INTO abstract_law VALUES (?, ?, ?, ?)");
    std::vector<int> depth(static_cast<size_t>(o.topics) + 1, 0);
    int abstractId = 0;
    const int roots = o.topics < 40 ? o.topics : 40;
    for (int t = 1; t <= o.topics; ++t) {
        int parent = 0;
        if (t > roots) {
            do
                parent = 1 + w.pick(t - 1);
            while (depth[static_cast<size_t>(parent)] >= 6);
        }
        depth[static_cast<size_t>(t)] = parent ? depth[static_cast<size_t>(parent)] + 1 : 1;
        sqlite3_bind_int(topic, 1, t);
        sqlite3_bind_int(topic, 2, parent);
        bindText(topic, 3, w.words(2 + w.pick(4)));
        sqlite3_bind_int(topic, 4, w.pick(5));
        sqlite3_bind_int(topic, 5, w.pick(5));
        sqlite3_bind_int(topic, 6, w.pick(5));
        w.run(topic);
        const int abstracts = t == 1 ? 50 : w.pick(4);
        for (int a = 0; a < abstracts; ++a) {
            ++abstractId;
            sqlite3_bind_int(abs, 1, abstractId);
            sqlite3_bind_int(abs, 2, t);
            bindText(abs, 3, w.paragraph(3 + w.pick(6)) + "<p>Βλ. <a href=\"#" + std::to_string(1 + w.pick(o.laws)) + "\">σχετική διάταξη</a>.</p>");
            sqlite3_bind_int(abs, 4, abstracts - a);
            w.run(abs);
            for (int k = 0; k < 3; ++k) {
                sqlite3_bind_int(absKey, 1, abstractId);
                sqlite3_bind_int(absKey, 2, 1 + w.pick(keyCount));
                w.run(absKey);
            }
            sqlite3_bind_int(absLaw, 1, abstractId);
            sqlite3_bind_int(absLaw, 2, 1 + w.pick(o.laws));
            sqlite3_bind_int(absLaw, 3, w.pick(4) ? 1 : 0);
            sqlite3_bind_int(absLaw, 4, 1);
            w.run(absLaw);
        }
    }
    for (sqlite3_stmt* st : {topic, abs, absKey, absLaw})
        sqlite3_finalize(st);

    // Laws: the main rows take ids 1..laws, their parts the ids after them.
    sqlite3_stmt* law = w.prepare(
        "INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, parag_subcode, issue_date, law_year) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    sqlite3_stmt* lawKey = w.prepare("INSERT INTO LAW_KEYS VALUES (?, ?)");
    const int types[] = {1, 1, 1, 3, 3, 4, 4, 6, 6, 6, 10, 11};
    int partId = o.laws;
    auto row = [&](int id, const std::string& code, int type, const std::string& title, const std::string& descr,
                   int all, const std::string& article, const std::string& parag, const std::string& sub,
                   const std::string& date, int year) {
        sqlite3_bind_int(law, 1, id);
        bindText(law, 2, code);
        sqlite3_bind_int(law, 3, type);
        bindText(law, 4, title);
        bindText(law, 5, descr);
        sqlite3_bind_int(law, 6, all);
        if (!article.empty())
            bindText(law, 7, article);
        if (!parag.empty())
            bindText(law, 8, parag);
        if (!sub.empty())
            bindText(law, 9, sub);
        bindText(law, 10, date);
        sqlite3_bind_int(law, 11, year);
        w.run(law);
    };
    for (int l = 1; l <= o.laws; ++l) {
        const int year = 1975 + w.pick(50);
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, 1 + w.pick(12), 1 + w.pick(28));
        const int type = l == 1 ? 1 : types[w.pick(12)];
        const std::string code = std::to_string(100 + l) + "/" + std::to_string(year);
        // Every tenth law has a consolidated text that stands in for it.
        const bool consolidated = l % 10 == 0;
        const int articles = l == 1 ? 300 : (w.pick(3) == 0 ? 0 : 2 + w.pick(8));
        row(l, code, type, "Ρυθμίσεις για " + w.words(4), w.paragraph(2), articles == 0 ? 1 : 0, "", "", "", date, year);
        if (consolidated) {
            ++partId;
            row(partId, code, type, "Κωδικοποίηση: " + w.words(3), w.paragraph(4), 1, "", "", "", date, year);
        }
        for (int a = 1; a <= articles; ++a) {
            const std::string art = std::to_string(a);
            const bool whole = w.pick(2) == 0;
            if (whole) {
                ++partId;
                row(partId, code, 2, "Άρθρο " + art, w.paragraph(3), 0, art, "", "", date, year);
            }
            const int paragraphs = 1 + w.pick(2);
            for (int p = 1; p <= paragraphs; ++p) {
                ++partId;
                row(partId, code, 5, "Άρθρο " + art + " παρ. " + std::to_string(p), w.paragraph(2), 0, art,
                    std::to_string(p), "", date, year);
                if (w.pick(4) == 0) {
                    ++partId;
                    row(partId, code, 7, "Άρθρο " + art + " παρ. " + std::to_string(p) + " εδ. 1", w.paragraph(1), 0,
                        art, std::to_string(p), "1", date, year);
                }
            }
        }
        for (int k = 0; k < 2; ++k) {
            sqlite3_bind_int(lawKey, 1, l);
            sqlite3_bind_int(lawKey, 2, 1 + w.pick(keyCount));
            w.run(lawKey);
        }
    }
    sqlite3_finalize(law);
    sqlite3_finalize(lawKey);

    // The attached document: an rtf body of the chosen size.
    if (o.documentMb > 0) {
        std::string body = "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fcharset161 Arial;}}\\f0 ";
        const std::string line = "\\'c1\\'f1\\'e8\\'f1\\'ef \\par\n";
        const size_t target = static_cast<size_t>(o.documentMb) * 1024 * 1024;
        while (body.size() + line.size() + 1 < target)
            body += line;
        body += "}";
        sqlite3_stmt* doc = w.prepare(
            "INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, issue_date, law_year, BlobType, BlobBody) "
            "VALUES (?, 'Έγγραφο/2020', 6, 'Μεγάλο έγγραφο', NULL, 1, '2020-01-01', 2020, 'rtf', ?)");
        sqlite3_bind_int(doc, 1, ++partId);
        sqlite3_bind_blob64(doc, 2, body.data(), body.size(), SQLITE_TRANSIENT);
        w.run(doc);
        sqlite3_finalize(doc);
        std::cout << "document law_id " << partId << "\n";
    }

    // The document guide.
    sqlite3_stmt* entry = w.prepare("INSERT INTO schedule VALUES (?, ?, ?, ?, ?, ?, 0)");
    sqlite3_stmt* entryAbs = w.prepare("INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag) VALUES (?, ?, ?, 1)");
    sqlite3_stmt* templ = w.prepare("INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag) VALUES (?, ?, 1, ?, ?, 1)");
    std::vector<int> sdepth(static_cast<size_t>(o.schedule) + 1, 0);
    for (int s = 1; s <= o.schedule; ++s) {
        int parent = 0;
        if (s > 30) {
            do
                parent = 1 + w.pick(s - 1);
            while (sdepth[static_cast<size_t>(parent)] >= 3);
        }
        sdepth[static_cast<size_t>(s)] = parent ? sdepth[static_cast<size_t>(parent)] + 1 : 1;
        sqlite3_bind_int(entry, 1, s);
        sqlite3_bind_int(entry, 2, parent);
        bindText(entry, 3, w.words(2 + w.pick(3)));
        sqlite3_bind_int(entry, 4, w.pick(5));
        sqlite3_bind_int(entry, 5, w.pick(5));
        sqlite3_bind_int(entry, 6, w.pick(5));
        w.run(entry);
        sqlite3_bind_int(entryAbs, 1, s);
        sqlite3_bind_int(entryAbs, 2, s);
        bindText(entryAbs, 3, w.paragraph(2) + "<p><a href=\"#" + std::to_string(s) + "\">Υπόδειγμα</a></p>");
        w.run(entryAbs);
        sqlite3_bind_int(templ, 1, s);
        bindText(templ, 2, "Υ" + std::to_string(s));
        bindText(templ, 3, "Υπόδειγμα " + w.words(2));
        bindText(templ, 4, w.paragraph(3));
        w.run(templ);
    }
    for (sqlite3_stmt* st : {entry, entryAbs, templ})
        sqlite3_finalize(st);

    exec(db, "COMMIT");
    exec(db, "ANALYZE");
    sqlite3_close(db);
    if (std::rename(temp.c_str(), o.output.c_str()) != 0)
        return 1;
    std::cout << "law rows " << partId << "\n";
    return 0;
}
