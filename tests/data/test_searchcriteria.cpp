// The search condition on any text a user can type, run against a real table.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "data/TextFolding.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>

namespace {

const QStringList kTitles = {
    QStringLiteral("Άρθρο 5 - Εγγραφές"), QStringLiteral("ΑΡΘΡΟ 12"), QStringLiteral("άρθρο για το Αϊδίνι"),
    QStringLiteral("100% επιτυχία"), QStringLiteral("a_b και a%b"), QStringLiteral("C:\\path\\file"),
    QStringLiteral("O'Neil's 'quoted' text"), QStringLiteral("-- not a comment; DROP TABLE law"),
    QStringLiteral("[brackets] (parens"), QStringLiteral("τόνοι ΐ ΰ Ϊ Ϋ"), QString(),
    QStringLiteral("control\tand\nlines"), QStringLiteral("ΣΧΟΛΙΚΗ ΖΩΗ"), QStringLiteral("σχολική ζωή και ς")};

class Search : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("s.mdb"));
        TestDatabase::Create(path);
        db.open(path, false);
        for (int i = 0; i < kTitles.size(); ++i)
            db.execute(QStringLiteral("INSERT INTO law (law_id, title) VALUES (%1, %2)").arg(i + 1).arg(tools.QuoteValue(kTitles[i])));
    }

    QSet<int> matching(const QString& text)
    {
        const QString cond = criteria.BuildSearchCondition(QStringLiteral("law.title"), text, 5, 0, 0, 0, QString()).trimmed();
        QSet<int> ids;
        Recordset rs = db.execute(QStringLiteral("SELECT law_id FROM law WHERE ") + cond);
        while (!rs.eof()) {
            ids.insert(rs.toLong(u"law_id"));
            rs.moveNext();
        }
        return ids;
    }

    // What the condition must find: the rows holding every word, folded.
    static QSet<int> expected(const QString& text)
    {
        QSet<int> ids;
        const QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < kTitles.size(); ++i) {
            const QString folded = FoldSearchText(kTitles[i]);
            bool all = !words.isEmpty() && !kTitles[i].isNull();
            for (const QString& w : words)
                all = all && folded.contains(FoldSearchText(w));
            if (all)
                ids.insert(i + 1);
        }
        return ids;
    }

    QTemporaryDir dir;
    Database db{QStringLiteral("search")};
    SqlTools tools;
    SearchCriteria criteria;
};

} // namespace

TEST_F(Search, WordsMatchWhereverTheyStandIgnoringCaseAndAccents)
{
    EXPECT_EQ(matching(QStringLiteral("αρθρο")), (QSet<int>{1, 2, 3}));
    EXPECT_EQ(matching(QStringLiteral("ΑΙΔΙΝΙ")), (QSet<int>{3}));
    EXPECT_EQ(matching(QStringLiteral("εγγραφες αρθρο")), (QSet<int>{1}));
    EXPECT_EQ(matching(QStringLiteral("  ζωη   σχολικη ")), (QSet<int>{13, 14}));
    EXPECT_TRUE(matching(QStringLiteral("ΑΡΘΡ Ο12")).isEmpty());
}

TEST_F(Search, WildcardsQuotesAndBackslashesMatchThemselves)
{
    EXPECT_EQ(matching(QStringLiteral("100%")), (QSet<int>{4}));
    EXPECT_EQ(matching(QStringLiteral("%")), (QSet<int>{4, 5}));
    EXPECT_EQ(matching(QStringLiteral("a_b")), (QSet<int>{5}));
    EXPECT_TRUE(matching(QStringLiteral("a_")).size() == 1);
    EXPECT_EQ(matching(QStringLiteral("_")), (QSet<int>{5}));
    EXPECT_EQ(matching(QStringLiteral("\\path\\")), (QSet<int>{6}));
    EXPECT_EQ(matching(QStringLiteral("O'Neil's")), (QSet<int>{7}));
    EXPECT_EQ(matching(QStringLiteral("'quoted'")), (QSet<int>{7}));
    EXPECT_EQ(matching(QStringLiteral("--")), (QSet<int>{8}));
}

TEST_F(Search, HostileTextsAreValidAndInjectNothing)
{
    QStringList hostile = {
        QStringLiteral("'"), QStringLiteral("''"), QStringLiteral("' OR '1'='1"), QStringLiteral("'; DROP TABLE law; --"),
        QStringLiteral("\") OR 1=1 --"), QStringLiteral("]"), QStringLiteral("[("), QStringLiteral(")))"),
        QStringLiteral("%_%"), QStringLiteral("\\'"), QStringLiteral("\\"), QStringLiteral("/*"), QStringLiteral("*/"),
        QStringLiteral("ESCAPE"), QStringLiteral("a\tb"), QString(QChar(u'\0')), QStringLiteral("x") + QChar(u'\0') + QStringLiteral("'y"),
        QString(QChar(u'\x1b')), QStringLiteral("\r\n"), QString(20000, u'Α'), QStringLiteral("char(0)")};
    QRandomGenerator random(20261209);
    const QString alphabet = QStringLiteral("'\"%_\\;-()[]*/ aAάΆςΣ0\t");
    for (int i = 0; i < 300; ++i) {
        QString s;
        const int length = static_cast<int>(random.bounded(1, 24));
        for (int j = 0; j < length; ++j)
            s += alphabet[static_cast<qsizetype>(random.bounded(static_cast<int>(alphabet.size())))];
        hostile << s;
    }
    for (const QString& text : hostile) {
        if (text.trimmed().isEmpty() && !text.contains(QChar(u'\0')) && !text.contains(u'\t'))
            continue;
        QSet<int> got;
        ASSERT_NO_THROW(got = matching(text)) << text.toStdString();
        EXPECT_EQ(got, expected(text)) << text.toStdString();
    }
    Recordset still = db.execute(QStringLiteral("SELECT count(*) as l_count FROM law"));
    EXPECT_EQ(still.toLong(u"l_count"), kTitles.size());
}

// SQLite refuses expressions nested a thousand deep; any text pasted into a
// search box must still give a valid statement.
TEST_F(Search, EndlessTextsSearchByTheirFirstWords)
{
    QStringList words;
    for (int i = 0; i < 5000; ++i)
        words << QStringLiteral("λέξη%1").arg(i);
    EXPECT_TRUE(matching(words.join(u' ')).isEmpty());
    EXPECT_EQ(matching(QStringLiteral("αρθρο ").repeated(3000)), (QSet<int>{1, 2, 3}));
    EXPECT_EQ(matching(QStringLiteral("αρθρο ") + QStringList(40, QStringLiteral("12")).join(u' ')), (QSet<int>{2}));
    EXPECT_TRUE(matching(QString(500, QChar(u'\0'))).isEmpty());
}

TEST_F(Search, AConditionOnTheOtherSearchColumns)
{
    db.execute(QStringLiteral("INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Μετεγγραφές μαθητών')"));
    const QString cond = criteria.BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), QStringLiteral("ΜΕΤΕΓΓΡΑΦΕΣ"), 5, 0, 0, 0, QString());
    Recordset rs = db.execute(QStringLiteral(" SELECT topic.topic_id FROM topic WHERE ") + cond.trimmed());
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.toLong(u"topic_id"), 1);
}

TEST(QuoteValueNul, ANulCharacterStaysInTheValue)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("n.mdb"));
    TestDatabase::Create(path);
    Database db(QStringLiteral("nul"));
    db.open(path, false);
    SqlTools tools;
    const QString code = QStringLiteral("a") + QChar(u'\0') + QStringLiteral("'b");
    db.execute(QStringLiteral("INSERT INTO law (law_id, law_code) VALUES (1, %1), (2, 'a')").arg(tools.QuoteValue(code)));
    Recordset rs = db.execute(QStringLiteral("SELECT law_id FROM law WHERE law_code = ") + tools.QuoteValue(code));
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.toLong(u"law_id"), 1);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}
