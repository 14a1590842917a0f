// The full-text index: its words, its queries and its file.
#include "fulltext/FullTextIndex.h"
#include "fulltext/GreekTokenizer.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <sqlite3.h>

using namespace FullText;

namespace {

// "εκδρομή" appears only inside the rtf document of law 4.
const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES (1, 'Νόμοι', 1, -1, 1), (2, 'Άρθρα', 0, 0, 9);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, issue_date, law_year, BlobType, BlobBody) VALUES
  (1, 'Ν. 4186/2013', 1, 'Αναδιάρθρωση της <b>Δευτεροβάθμιας</b>', NULL, 0, NULL, '2013-09-17', 2013, NULL, NULL),
  (2, 'Ν. 4186/2013', 2, 'Άρθρο 5', '<p>Οι αναπληρωτές εκπαιδευτικοί &amp; οι μεταθέσεις.</p>', 0, '5', NULL, NULL, NULL, NULL),
  (3, 'Φ.353.1/324/105657/Δ1', 1, 'Καθήκοντα', '<p>Το ωρολόγιο πρόγραμμα. Sunday school 2002.</p><script>κρυφό()</script>', 1, NULL, '2002-10-16', 2002, NULL, NULL),
  (4, 'Ν. 9/2020', 1, 'Έγγραφο', NULL, 1, NULL, '2020-01-01', 2020, 'rtf', CAST('{\rtf1\ansi\ansicpg1253 \''e5\''ea\''e4\''f1\''ef\''ec\''de\par}' AS BLOB)),
  (5, 'Ν. 10/2021', 1, 'Μετάθεση', '<p>ΑΡΘΡΟ μόνο</p>', 1, NULL, '2021-01-01', 2021, NULL, NULL),
  (6, 'Ν. 11/2022', 1, 'Αναπληρωτών θέματα', NULL, 1, NULL, '2022-01-01', 2022, NULL, NULL);
INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Εφημερίες');
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES (1, 1, '<p>Οι εφημερίες των καθηγητών</p>', 1);
INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES (7, 0, 'Άδειες', 1, 0, 0, 0);
INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag) VALUES (1, 7, '<p><a href="#3">Αίτηση άδειας</a> &#233;</p>', 1);
INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag, BlobType, BlobBody) VALUES (3, 'Υ3', 9, 'Αίτηση άδειας', '<p>ανυπόγραφη</p>', 0, 'html', NULL);
)SQL");

class FullTextIndex : public ::testing::Test {
protected:
    void SetUp() override
    {
        database = dir.filePath(QStringLiteral("edudataD.mdb"));
        TestDatabase::Create(database, kContent);
        ASSERT_EQ(PrepareIndex(database, dir.filePath(QStringLiteral("cache")), stop, {}, &handle), BuildResult::Built);
        index = OpenIndex(handle.target, true);
        ASSERT_TRUE(index);
    }

    Results find(const QString& text, Filter filter = {})
    {
        return Search(index.get(), ParseQuery(text, stemmer, IndexExpander(index.get())), filter, 50, stemmer);
    }
    // The law ids of the law hits, best first.
    QList<qint64> laws(const QString& text)
    {
        QList<qint64> ids;
        for (const Hit& hit : find(text).hits)
            if (hit.kind == 0)
                ids << hit.id;
        return ids;
    }

    QTemporaryDir dir;
    QString database;
    std::atomic<bool> stop{false};
    IndexHandle handle;
    std::shared_ptr<sqlite3> index;
    WordStemmer stemmer;
};

} // namespace

TEST(FullTextWords, FoldingStemmingAndNumbers)
{
    WordStemmer stemmer;
    const auto words = [&stemmer](const char* text) {
        QStringList out;
        TokenizeWords(text, stemmer, [&out](std::string_view stem, std::string_view exact, int, int) {
            out << QString::fromUtf8(stem.data(), static_cast<qsizetype>(stem.size()))
                    + (exact.empty() ? QString() : u'|' + QString::fromUtf8(exact.data(), static_cast<qsizetype>(exact.size())));
        });
        return out;
    };
    EXPECT_EQ(words("αναπληρωτών").value(0).section(u'|', 0, 0), words("ΑΝΑΠΛΗΡΩΤΈΣ").value(0).section(u'|', 0, 0));
    EXPECT_EQ(words("μετάθεση").value(0).section(u'|', 0, 0), words("μεταθέσεις").value(0).section(u'|', 0, 0));
    EXPECT_EQ(words("ΑΡΘΡΟ"), words("άρθρο"));
    EXPECT_EQ(words("Ϊ ΐ ς"), (QStringList{QStringLiteral("ι"), QStringLiteral("ι"), QStringLiteral("σ")}));
    // Latin words and numbers as they are; a law number in its parts.
    EXPECT_EQ(words("School 2002"), (QStringList{QStringLiteral("school"), QStringLiteral("2002")}));
    EXPECT_EQ(words("Φ.353.1/324/Δ1"), (QStringList{QStringLiteral("φ"), QStringLiteral("353"), QStringLiteral("1"),
                                                     QStringLiteral("324"), QStringLiteral("δ1")}));
    // Combining accents and broken UTF-8 neither join nor crash.
    EXPECT_EQ(words("α\xcc\x81ρθρο \xff\xfe x"), words("άρθρο x"));
}

TEST_F(FullTextIndex, FindsEveryKindOfTextByAnyForm)
{
    EXPECT_EQ(laws(QStringLiteral("αναπληρωτών")), (QList<qint64>{6, 2}));
    // A hit in a title ranks above one in the text.
    EXPECT_EQ(laws(QStringLiteral("ΑΡΘΡΟ")), (QList<qint64>{2, 5}));
    EXPECT_TRUE(laws(QStringLiteral("μετάθεση")).contains(2));
    EXPECT_EQ(laws(QStringLiteral("4186/2013")).value(0), 1);
    EXPECT_EQ(laws(QStringLiteral("Φ.353.1/324/105657/Δ1")), QList<qint64>{3});
    EXPECT_EQ(laws(QStringLiteral("sunday")), QList<qint64>{3});
    // A word that only the rtf document holds.
    EXPECT_EQ(laws(QStringLiteral("εκδρομη")), QList<qint64>{4});
    // Markup is not text.
    EXPECT_TRUE(laws(QStringLiteral("script")).isEmpty());
    EXPECT_TRUE(laws(QStringLiteral("κρυφό")).isEmpty());
    EXPECT_TRUE(laws(QStringLiteral("amp")).isEmpty());
    EXPECT_TRUE(find(QStringLiteral("href")).hits.isEmpty());

    // An article names its law and itself.
    const Results article = find(QStringLiteral("\"αναπληρωτές εκπαιδευτικοί\""));
    ASSERT_EQ(article.hits.size(), 1);
    EXPECT_EQ(article.hits[0].lawId, 1);
    EXPECT_EQ(article.hits[0].article, QStringLiteral("Άρθρο 5"));
    EXPECT_EQ(article.hits[0].lawCode, QStringLiteral("Ν. 4186/2013"));
    EXPECT_EQ(article.hits[0].issueDate, QStringLiteral("2013-09-17"));
    EXPECT_TRUE(article.hits[0].snippet.contains(kMarkOpen + QStringLiteral("αναπληρωτές")));

    const Results topic = find(QStringLiteral("ΕΦΗΜΕΡΙΑΣ"));
    ASSERT_EQ(topic.hits.size(), 1);
    EXPECT_EQ(topic.hits[0].kind, static_cast<int>(DocKind::Topic));
    const Results guide = find(QStringLiteral("ανυπόγραφη"));
    ASSERT_EQ(guide.hits.size(), 1);
    EXPECT_EQ(guide.hits[0].kind, static_cast<int>(DocKind::Template));
    EXPECT_EQ(guide.hits[0].opensIn, 7);
}

TEST_F(FullTextIndex, TheQueryLanguage)
{
    EXPECT_EQ(laws(QStringLiteral("\"ωρολόγιο πρόγραμμα\"")), QList<qint64>{3});
    EXPECT_TRUE(laws(QStringLiteral("\"πρόγραμμα ωρολόγιο\"")).isEmpty());
    EXPECT_EQ(laws(QStringLiteral("ωρολ*")), QList<qint64>{3});
    EXPECT_EQ(laws(QStringLiteral("αναπληρωτές -εκπαιδευτικοί")), QList<qint64>{6});
    QList<qint64> either = laws(QStringLiteral("εκδρομή ή sunday"));
    std::sort(either.begin(), either.end());
    EXPECT_EQ(either, (QList<qint64>{3, 4}));
    EXPECT_EQ(laws(QStringLiteral("εκδρομή OR sunday")).size(), 2);
    // Every word must appear.
    EXPECT_TRUE(laws(QStringLiteral("εκδρομή sunday")).isEmpty());
    // The form as typed ranks above a match on the stem alone.
    EXPECT_EQ(laws(QStringLiteral("αναπληρωτές")), (QList<qint64>{2, 6}));
    // Filters by type and years leave the other kinds out.
    const Results filtered = find(QStringLiteral("αναπληρωτών"), {1, 2020, 2030});
    ASSERT_EQ(filtered.hits.size(), 1);
    EXPECT_EQ(filtered.hits[0].id, 6);
    EXPECT_EQ(filtered.count, 1);
}

TEST_F(FullTextIndex, MalformedQueriesAreReadAsPlainWords)
{
    QString many;
    for (int i = 0; i < 10000; ++i)
        many += QStringLiteral("λέξη%1 ").arg(i);
    for (const QString& text :
         {QStringLiteral("\""), QStringLiteral("*"), QStringLiteral("-"), QStringLiteral("( ) [ ] { }"),
          QStringLiteral("'; DROP TABLE law; --"), QStringLiteral("NEAR(a b) AND OR NOT ^title:x"),
          QStringLiteral("\"ωρολόγιο"), QString(QChar(0)) + QStringLiteral("sunday"), QStringLiteral("OR ή OR"),
          QStringLiteral("-sunday"), many}) {
        const Results r = find(text);
        EXPECT_FALSE(r.failed) << text.left(40).toStdString();
    }
    EXPECT_EQ(laws(QStringLiteral("\"ωρολόγιο")), QList<qint64>{3});
    EXPECT_EQ(laws(QString(QChar(0)) + QStringLiteral("sunday")), QList<qint64>{3});
    EXPECT_EQ(laws(QStringLiteral("(sunday)")), QList<qint64>{3});
}

TEST_F(FullTextIndex, TheIndexFollowsItsDatabase)
{
    const QString cache = dir.filePath(QStringLiteral("cache"));
    const QString path = IndexPath(cache, database);
    EXPECT_EQ(handle.target, path);
    EXPECT_TRUE(IndexIsCurrent(path, SourceKey(database)));
    // A database put in the place of the first: the index is made again.
    const QString other = dir.filePath(QStringLiteral("other.mdb"));
    TestDatabase::Create(other, QStringLiteral("INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Καινούργιο');"));
    QFile::remove(database);
    ASSERT_TRUE(QFile::rename(other, database));
    EXPECT_FALSE(IndexIsCurrent(path, SourceKey(database)));
    IndexHandle again;
    ASSERT_EQ(PrepareIndex(database, cache, stop, {}, &again), BuildResult::Built);
    auto fresh = OpenIndex(again.target, true);
    EXPECT_EQ(Search(fresh.get(), ParseQuery(QStringLiteral("καινούργιο"), stemmer), {}, 10, stemmer).hits.size(), 1);
    // A damaged index file is not trusted.
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(100);
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    EXPECT_FALSE(IndexIsCurrent(path, SourceKey(database)));
    EXPECT_TRUE(QDir(cache).entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
}

TEST_F(FullTextIndex, AnUnwritableCacheKeepsTheIndexInMemory)
{
    const QString blocked = dir.filePath(QStringLiteral("not a folder"));
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    IndexHandle memory;
    ASSERT_EQ(PrepareIndex(database, blocked + QStringLiteral("/cache"), stop, {}, &memory), BuildResult::Built);
    EXPECT_TRUE(memory.target.startsWith(QStringLiteral("file:")));
    auto reader = OpenIndex(memory.target, true);
    ASSERT_TRUE(reader);
    EXPECT_EQ(Search(reader.get(), ParseQuery(QStringLiteral("sunday"), stemmer), {}, 10, stemmer).hits.size(), 1);
}

TEST_F(FullTextIndex, AStoppedBuildLeavesNothingBehind)
{
    const QString cache = dir.filePath(QStringLiteral("stopped"));
    const QString path = IndexPath(cache, database);
    std::atomic<bool> halt{false};
    BuildHooks hooks;
    hooks.progress = [&halt](qint64, qint64) { halt = true; };
    // Stopped before its first entries.
    halt = true;
    EXPECT_EQ(BuildIndex(database, path, halt, hooks), BuildResult::Stopped);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(QDir(cache).entryList(QDir::Files).isEmpty());
}
