// The text of a law page, whole or assembled, and the topics linked to a law.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "pages/LawPage.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const char* kContent = R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES
  (1, 'Νόμοι', 1, -1), (2, 'Άρθρο', 0, 0), (5, 'Παράγραφος', 0, 0), (7, 'Υποπαράγραφος', 0, 0), (9, 'Χωρίς εμφάνιση', 0, -1);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, parag_subcode, BlobType) VALUES
  (1, 'Ο/1', 1, 'Ολόκληρος', '<p>όλο</p>', 1, NULL, NULL, NULL, NULL),
  (2, 'Α/2', 1, 'Με άρθρα', '<p>εισαγωγή</p>', 0, NULL, NULL, NULL, NULL),
  (3, 'Α/2', 2, 'Άρθρο 1', '<p>α1</p>', 0, '1', NULL, NULL, NULL),
  (4, 'Α/2', 5, 'Παρ. 1.1', '<p>π11</p>', 0, '1', '1', NULL, NULL),
  (5, 'Α/2', 5, 'Παρ. 1.2', '<p>π12</p>', 0, '1', '2', NULL, NULL),
  (10, 'Β/3', 1, 'Χωρίς άρθρα', NULL, 0, NULL, NULL, NULL, NULL),
  (11, 'Β/3', 5, 'Παρ. 1.2', '<p>π12</p>', 0, '1', '2', NULL, NULL),
  (12, 'Β/3', 5, 'Παρ. 1.1', '<p>π11</p>', 0, '1', '1', NULL, NULL),
  (20, 'Γ/4', 1, 'Αριθμοί', '', 0, NULL, NULL, NULL, NULL),
  (21, 'Γ/4', 2, 'Άρθρο 10', 'δέκα', 0, '10', NULL, NULL, NULL),
  (22, 'Γ/4', 2, 'Άρθρο 2', 'δύο', 0, '2', NULL, NULL, NULL),
  (30, 'Δ/5', 1, 'Υποπαράγραφοι', 'Δ', 0, NULL, NULL, NULL, NULL),
  (31, 'Δ/5', 5, 'Παρ. 1.1', 'π', 0, '1', '1', NULL, NULL),
  (32, 'Δ/5', 7, 'Υπ. 1.1.1', 'υ111', 0, '1', '1', '1', NULL),
  (33, 'Δ/5', 7, 'Υπ. 1.2.1', 'υ121', 0, '1', '2', '1', NULL),
  (34, 'Δ/5', 2, 'Άρθρο 3', 'α3', 0, '3', NULL, NULL, NULL),
  (35, 'Δ/5', 7, 'Υπ. 3.1.1', 'υ311', 0, '3', '1', '1', NULL),
  (40, 'Ε/6', 9, 'Κρυφού τύπου', 'κρυφό', 0, NULL, NULL, NULL, NULL),
  (41, 'Ε/6', 9, 'Κρυφού τύπου, περίεργο', 'x', 2, NULL, NULL, NULL, NULL),
  (42, 'Ζ/7', 1, 'Έγγραφο', NULL, 1, NULL, NULL, NULL, 'rtf'),
  (43, 'Η/8', 1, 'Άγνωστο', 'κείμενο', NULL, NULL, NULL, NULL, NULL);

INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Εγγραφές'), (2, 0, 'Δομή'), (3, 0, NULL);
INSERT INTO abstract (abstract_id, topic_id, descr) VALUES (1, 1, 'α'), (2, 1, 'β'), (3, 2, 'γ'), (4, 3, 'δ');
INSERT INTO abstract_law (abstract_id, law_id, display_conn_flag) VALUES (1, 2, 1), (2, 2, 1), (3, 3, 1), (1, 4, 1), (4, 2, 1);
)SQL";

class LawPageText : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("l.mdb"));
        TestDatabase::Create(path, QString::fromUtf8(kContent));
        db.open(path, false);
    }

    LawPage page(qint32 id, bool fromHistory = false) { return BuildLawPage(db, tools, LawQueries(), id, fromHistory); }

    QTemporaryDir dir;
    Database db{QStringLiteral("law-page")};
    SqlTools tools;
};

} // namespace

TEST_F(LawPageText, AWholeRecord)
{
    EXPECT_EQ(page(1).html, QStringLiteral("<h1>Ολόκληρος</h1><p>όλο</p>"));
    EXPECT_EQ(page(1, true).html, QStringLiteral("<h1>Ολόκληρος</h1><p>όλο</p>"));
    // A type not listed, not consolidated: whole as well.
    EXPECT_EQ(page(40).html, QStringLiteral("<h1>Κρυφού τύπου</h1>κρυφό"));
}

TEST_F(LawPageText, AnArticleStoredWholeLeavesItsParagraphsOut)
{
    EXPECT_EQ(page(2).html, QStringLiteral(" <H1>Με άρθρα</H1><BR> <p>εισαγωγή</p><H2>Άρθρο 1</H2><p>α1</p>"));
}

TEST_F(LawPageText, WithoutTheArticleRecordItsParagraphsShowInOrder)
{
    EXPECT_EQ(page(10).html, QStringLiteral(" <H1>Χωρίς άρθρα</H1><BR> <H2>Παρ. 1.1</H2><p>π11</p><H2>Παρ. 1.2</H2><p>π12</p>"));
}

TEST_F(LawPageText, ArticlesInNumericOrder)
{
    EXPECT_EQ(page(20).html, QStringLiteral(" <H1>Αριθμοί</H1><BR> <H2>Άρθρο 2</H2>δύο<H2>Άρθρο 10</H2>δέκα"));
}

TEST_F(LawPageText, SubParagraphsOnlyWhenNeitherParagraphNorArticleHasARecord)
{
    // 1.1.1 has its paragraph; 3.1.1 has its article; 1.2.1 has neither.
    EXPECT_EQ(page(30).html, QStringLiteral(" <H1>Υποπαράγραφοι</H1><BR> Δ<H2>Παρ. 1.1</H2>π<H2>Υπ. 1.2.1</H2>υ121<H2>Άρθρο 3</H2>α3"));
}

TEST_F(LawPageText, AnUndisplayedTypeWithAnOddFlagGivesTwoBlanks)
{
    const LawPage p = page(41);
    EXPECT_EQ(p.html, QStringLiteral("  "));
    EXPECT_TRUE(p.hasRecord);
}

TEST_F(LawPageText, ANullFlagTakesTheAssembledLayout)
{
    EXPECT_EQ(page(43).html, QStringLiteral(" <H1>Άγνωστο</H1><BR> κείμενο"));
}

TEST_F(LawPageText, AnAttachedDocumentBuildsNoPage)
{
    const LawPage p = page(42);
    EXPECT_EQ(p.html, QString());
    EXPECT_EQ(p.documentId, 42);
    EXPECT_TRUE(page(999).html.isEmpty());
    EXPECT_FALSE(page(999).hasRecord);
}

TEST_F(LawPageText, RelatedTopicsOncePerTitleFromTheLawsGroup)
{
    // Law 2 is linked twice from topic 1 (two abstracts): listed twice; topic 2
    // comes through its article 3; the topic without title is left out.
    QList<RelatedTopic> topics;
    AppendRelatedTopics(db, 2, false, topics);
    QStringList titles;
    for (const RelatedTopic& t : topics)
        titles << QStringLiteral("%1:%2").arg(t.descr).arg(t.topicId);
    EXPECT_EQ(titles, (QStringList{"Εγγραφές:1", "Εγγραφές:1", "Δομή:2"}));

    QList<RelatedTopic> fromHistory;
    AppendRelatedTopics(db, 2, true, fromHistory);
    EXPECT_EQ(fromHistory.size(), 2);

    // The law's own links are listed as they come; the group query adds only
    // titles not listed yet.
    QList<RelatedTopic> listed{{QStringLiteral("Δομή"), 2}};
    AppendRelatedTopics(db, 3, false, listed);
    QStringList after;
    for (const RelatedTopic& t : listed)
        after << t.descr;
    EXPECT_EQ(after, (QStringList{"Δομή", "Δομή", "Εγγραφές"}));
}
