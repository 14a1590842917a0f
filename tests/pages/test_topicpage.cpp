// The text of a topic's page.
#include "data/Database.h"
#include "pages/TopicPage.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const char* kContent = R"SQL(
INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES
  (1, 0, 'Εγγραφές'), (2, 0, 'Κενό'), (3, 0, 'Πρώτη κενή'), (4, 0, NULL);
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES
  (10, 1, '<p>δεύτερη</p>', 2), (11, 1, '<p>πρώτη</p>', 1),
  (30, 3, NULL, 1), (31, 3, '<p>έχει κείμενο</p>', 2),
  (40, 4, '<p>χωρίς τίτλο</p>', 1);
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES (1, 'Νόμοι', 1, -1);
INSERT INTO law (law_id, law_code, type_id, title) VALUES (12, '12', 1, 'Νόμος 12'), (7, '7', 1, 'Νόμος 7'), (8, '8', 1, 'Κρυφός'), (9, '9', 1, NULL);
INSERT INTO abstract_law (abstract_id, law_id, display_conn_flag, aa_law_flag) VALUES
  (11, 12, 1, 1), (11, 7, 1, 2), (11, 8, 0, 3), (10, 9, 1, 1);
)SQL";

class TopicPageText : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("p.mdb"));
        TestDatabase::Create(path, QString::fromUtf8(kContent));
        db.open(path, false);
    }

    QTemporaryDir dir;
    Database db{QStringLiteral("topic-page")};
};

} // namespace

TEST_F(TopicPageText, HeadingThenAbstractsInTheirOrder)
{
    const TopicPage page = BuildTopicPage(db, 1, QStringLiteral("Selvara"));
    EXPECT_EQ(page.outcome, TopicPage::Outcome::Built);
    EXPECT_EQ(page.html, QStringLiteral(" <h1>Εγγραφές</h1><p>πρώτη</p><p>δεύτερη</p>"));
}

TEST_F(TopicPageText, OtherEditionsLinkEachDisplayedLaw)
{
    const TopicPage page = BuildTopicPage(db, 1, QStringLiteral("Tolvane"));
    EXPECT_EQ(page.html, QStringLiteral(" <h1>Εγγραφές</h1><p>πρώτη</p>"
                                        "<a href =#12 id = 12>Νόμος 12</a><br><a href =#7 id = 7>Νόμος 7</a><br>"
                                        "<p>δεύτερη</p><a href =#9 id = 9></a><br>"));
}

TEST_F(TopicPageText, ANullFirstAbstractLeavesThePageBlank)
{
    const TopicPage page = BuildTopicPage(db, 3, QStringLiteral("Selvara"));
    EXPECT_EQ(page.outcome, TopicPage::Outcome::FirstAbstractNull);
    EXPECT_EQ(page.html, QStringLiteral(" "));
}

TEST_F(TopicPageText, NoAbstractsAndNullTitles)
{
    const TopicPage none = BuildTopicPage(db, 2, QStringLiteral("Selvara"));
    EXPECT_EQ(none.outcome, TopicPage::Outcome::NoAbstracts);
    EXPECT_EQ(none.html, QStringLiteral(" "));
    const TopicPage untitled = BuildTopicPage(db, 4, QStringLiteral("Kestrin"));
    EXPECT_EQ(untitled.html, QStringLiteral(" <h1></h1><p>χωρίς τίτλο</p>"));
}
