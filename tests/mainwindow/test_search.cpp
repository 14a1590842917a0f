// The searches of every tab and the tree each leaves behind.
#include "data/TextFolding.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/Search.h"
#include "mainwindow/SearchSql.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES
  (1, 'Νόμοι', 1, -1, 1), (3, 'Διατάγματα', 1, -1, 2), (4, 'Εγκύκλιοι', 1, -1, 3), (6, 'Κρυφός', 0, -1, 4);
INSERT INTO law (law_id, law_code, type_id, title, all_law_flag, issue_date) VALUES
  (10, '10', 1, 'Νόμος για τις Εγγραφές', 1, '2001-01-01'),
  (11, '11', 1, 'Νόμος για τα βιβλία', 1, '2002-01-01'),
  (30, '30', 3, 'Διάταγμα εγγραφών', 1, '2003-01-01'),
  (40, '40', 4, 'Εγκύκλιος', 1, '2004-01-01'),
  (60, '60', 6, 'Κρυφές εγγραφές', 1, '2005-01-01');
INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) VALUES
  (1, 0, 'Μαθητές', 1), (2, 1, 'Φοίτηση', 1), (3, 2, 'ΆΡΘΡΟ πρώτο', 1), (4, 2, 'άρθρο δεύτερο', 2),
  (5, 0, 'Αϊδίνι', 2), (6, 0, 'Δομή', 3), (7, 6, 'Λύκειο', 1), (8, 7, 'Τάξεις', 1), (9, 8, 'Ωρολόγιο', 1),
  (10, 9, 'άρθρο βαθιά', 1);
INSERT INTO abstract (abstract_id, topic_id, descr) VALUES (1, 3, 'α'), (2, 4, 'β'), (3, 5, 'γ');
INSERT INTO KEYS (KEY_ID, descr) VALUES (1, 'ΕΓΓΡΑΦΕΣ'), (2, 'ΒΙΒΛΙΑ');
INSERT INTO ABSTRACT_KEYS (ABSTRACT_ID, KEY_ID) VALUES (1, 1), (2, 1), (3, 2);
INSERT INTO LAW_KEYS (LAW_ID, KEY_ID) VALUES (10, 1), (30, 1), (60, 1), (11, 2);
INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1) VALUES
  (1, 0, 'Βεβαιώσεις', 1), (2, 1, 'Φοίτησης', 1), (3, 2, 'Σπουδών', 1), (4, 0, 'Αιτήσεις', 2);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

class SearchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started); }
    FrmInitial& w() { return app.window(); }
    QTreeWidgetItem* node(TreeView* tree, const char* key) { return tree->Node(QString::fromLatin1(key)); }
    bool found(TreeView* tree, const char* key) { return TreeView::HasFoundStyle(node(tree, key)); }
    bool open(TreeView* tree, const char* key) { return node(tree, key)->isExpanded(); }

    void search(QLineEdit* box, int button, const QString& text)
    {
        box->setText(text);
        w().cmdsearch[button]->click();
    }

    TestApp app{kContent};
};

} // namespace

TEST(FoldSearchText, TheFoldingTable)
{
    EXPECT_EQ(FoldSearchText(QStringLiteral(" άρθρο ")), QStringLiteral("ΑΡΘΡΟ"));
    EXPECT_EQ(FoldSearchText(QStringLiteral("Αϊδίνι")), QStringLiteral("ΑΙΔΙΝΙ"));
    EXPECT_EQ(FoldSearchText(QStringLiteral("ΐΰ")), QStringLiteral("ΙΥ"));
    EXPECT_EQ(FoldSearchText(QStringLiteral("ΫΪΆΈΌΎΊΉΏ")), QStringLiteral("ΥΙΑΕΟΥΙΗΩ"));
    EXPECT_EQ(FoldSearchText(QStringLiteral("έξοδος, 2-3; abc ς")), QStringLiteral("ΕΞΟΔΟΣ, 2-3; ABC Σ"));
    EXPECT_EQ(FoldSearchText(QVariant()), QString());
    EXPECT_EQ(FoldSearchText(QStringLiteral("\tάρθρο\t")), QStringLiteral("\tΑΡΘΡΟ\t"));
}

TEST_F(SearchTest, TitleSearchMarksAccentedAndUnaccentedTitles)
{
    search(w().txtsearch[0], 0, QStringLiteral("αρθρο"));
    EXPECT_TRUE(found(w().tvwTree, "l3"));
    EXPECT_TRUE(found(w().tvwTree, "l4"));
    EXPECT_FALSE(found(w().tvwTree, "l2"));
    // Their ancestors are opened, not themselves; the fifth level is not searched.
    EXPECT_TRUE(open(w().tvwTree, "l1"));
    EXPECT_TRUE(open(w().tvwTree, "l2"));
    EXPECT_FALSE(open(w().tvwTree, "l3"));
    EXPECT_FALSE(found(w().tvwTree, "l10"));
    EXPECT_FALSE(open(w().tvwTree, "l6"));
    EXPECT_EQ(w().brwWebBrowser1->LocationURL(), PageBrowser::kBlank);

    search(w().txtsearch[0], 0, QStringLiteral("ΑΙΔΙΝΙ"));
    EXPECT_TRUE(found(w().tvwTree, "l5"));
    EXPECT_TRUE(open(w().tvwTree, "l5"));
    EXPECT_FALSE(found(w().tvwTree, "l3"));
    EXPECT_FALSE(open(w().tvwTree, "l1"));

    search(w().txtsearch[0], 0, QStringLiteral("ΑΡΘΡ Ο"));
    EXPECT_FALSE(found(w().tvwTree, "l3"));

    search(w().txtsearch[0], 0, QStringLiteral("   "));
    for (const char* key : {"l1", "l3", "l5"})
        EXPECT_FALSE(found(w().tvwTree, key)) << key;
    EXPECT_FALSE(open(w().tvwTree, "l1"));
}

TEST_F(SearchTest, KeywordSearchRebuildsTheTopicTree)
{
    search(w().txtsearch[1], 1, QStringLiteral("εγγραφες"));
    EXPECT_TRUE(found(w().tvwTree, "l3"));
    EXPECT_TRUE(found(w().tvwTree, "l4"));
    EXPECT_FALSE(found(w().tvwTree, "l5"));
    EXPECT_TRUE(open(w().tvwTree, "l1"));
    EXPECT_TRUE(open(w().tvwTree, "l2"));
    EXPECT_FALSE(open(w().tvwTree, "l6"));
    EXPECT_EQ(w().tvwTree->SelectedItem(), nullptr);
    EXPECT_EQ(TreeView::Image(node(w().tvwTree, "l6")), QStringLiteral("closed"));

    search(w().txtsearch[1], 1, QStringLiteral("  "));
    EXPECT_FALSE(found(w().tvwTree, "l3"));
    EXPECT_FALSE(open(w().tvwTree, "l1"));
    EXPECT_EQ(w().tvwTree->Count(), 10);
}

TEST_F(SearchTest, TwoHitsUnderOneParentStoreEachAncestorOnce)
{
    const QString cond = SearchCriteria().BuildSearchCondition(QStringLiteral("KEYS.descr"), QStringLiteral("ΕΓΓΡΑΦΕΣ"), 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks marks = CollectHierarchyHits(*app.program().state().gAdoConnection, SearchSql::TopicKeywords(cond),
                                                   u"topic_id", u"topic_id_parent", &SearchSql::TopicAncestor);
    EXPECT_EQ(marks.found, (QList<qint32>{3, 4}));
    EXPECT_EQ(marks.expand, (QList<qint32>{2, 1}));
    EXPECT_EQ(marks.expandLast, 1);
    EXPECT_TRUE(marks.expandTopLevel);
}

TEST_F(SearchTest, TheAncestorWalkStopsAtAMissingParentAndAtALoop)
{
    app.alter(QStringLiteral("INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (20, 99, 'Ορφανό'), (21, 22, 'κύκλος α'), (22, 21, 'κύκλος β');"));
    const QString cond = SearchCriteria().BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), QStringLiteral("ΟΡΦΑΝΌ"), 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks orphan = CollectHierarchyHits(*app.program().state().gAdoConnection, SearchSql::TopicTitles(cond),
                                                    u"topic_id", u"topic_id_parent", &SearchSql::TopicAncestor);
    EXPECT_EQ(orphan.found, QList<qint32>{20});
    EXPECT_EQ(orphan.expand, QList<qint32>{99});

    const QString loop = SearchCriteria().BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), QStringLiteral("ΚΥΚΛΟΣ"), 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks cycle = CollectHierarchyHits(*app.program().state().gAdoConnection, SearchSql::TopicTitles(loop),
                                                   u"topic_id", u"topic_id_parent", &SearchSql::TopicAncestor);
    EXPECT_EQ(cycle.found, (QList<qint32>{21, 22}));
    EXPECT_EQ(cycle.expand, (QList<qint32>{22, 21}));
}

TEST_F(SearchTest, TheListsGrowPastTheirOldCapacity)
{
    QString rows;
    for (int i = 0; i < 1500; ++i)
        rows += QStringLiteral("%1(%2, 0, 'Πολλά %3', 9)").arg(i ? QStringLiteral(",") : QString()).arg(40000 + i).arg(i);
    app.alter(QStringLiteral("INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) VALUES ") + rows + u';');
    const QString cond = SearchCriteria().BuildSearchCondition(QStringLiteral("ucase(topic.descr)"), QStringLiteral("ΠΟΛΛΑ"), 5, 0, 0, 0, QString()).trimmed();
    const SearchMarks marks = CollectHierarchyHits(*app.program().state().gAdoConnection, SearchSql::TopicTitles(cond),
                                                   u"topic_id", u"topic_id_parent", &SearchSql::TopicAncestor);
    EXPECT_EQ(marks.foundCount, 1500);
    EXPECT_EQ(marks.found.last(), 41499);
}

TEST_F(SearchTest, LawSearchesOpenExactlyTheTypesOfTheirHits)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    search(w().txtsearchlaw[1], 1, QStringLiteral("Εγγραφές"));
    EXPECT_TRUE(found(w().tvwTreelaw, "c10"));
    EXPECT_TRUE(found(w().tvwTreelaw, "c30"));
    EXPECT_FALSE(found(w().tvwTreelaw, "c11"));
    EXPECT_TRUE(open(w().tvwTreelaw, "p1"));
    EXPECT_TRUE(open(w().tvwTreelaw, "p3"));
    EXPECT_FALSE(open(w().tvwTreelaw, "p4"));
    // Laws of a type not displayed are never found, nor listed.
    EXPECT_EQ(node(w().tvwTreelaw, "c60"), nullptr);

    search(w().txtsearchlaw[0], 0, QStringLiteral("νομος βιβλια"));
    EXPECT_TRUE(found(w().tvwTreelaw, "c11"));
    EXPECT_FALSE(found(w().tvwTreelaw, "c10"));
    EXPECT_FALSE(open(w().tvwTreelaw, "p3"));

    search(w().txtsearchlaw[0], 0, QString());
    EXPECT_FALSE(found(w().tvwTreelaw, "c11"));
    EXPECT_FALSE(open(w().tvwTreelaw, "p1"));
    EXPECT_EQ(w().brwWebBrowser3->LocationURL(), PageBrowser::kBlank);
}

TEST_F(SearchTest, TheDocumentGuideSearch)
{
    SelectTab(w(), QStringLiteral("Οδηγός Εγγράφων"));
    search(w().txtsearchSchedule[0], 0, QStringLiteral("σπουδων"));
    EXPECT_TRUE(found(w().tvwTreeschedule[0], "l3"));
    EXPECT_TRUE(open(w().tvwTreeschedule[0], "l1"));
    EXPECT_TRUE(open(w().tvwTreeschedule[0], "l2"));
    EXPECT_FALSE(open(w().tvwTreeschedule[0], "l3"));
    EXPECT_EQ(TreeView::Image(node(w().tvwTreeschedule[0], "l4")), QStringLiteral("open"));
    EXPECT_EQ(w().tvwTreeschedule[1]->Count(), 0);

    search(w().txtsearchSchedule[0], 0, QStringLiteral(" "));
    EXPECT_FALSE(found(w().tvwTreeschedule[0], "l3"));
    EXPECT_FALSE(open(w().tvwTreeschedule[0], "l1"));
}

TEST_F(SearchTest, TheHistoryTabSearchesNothing)
{
    SelectTab(w(), QStringLiteral("Ιστορικό"));
    const int nodes = w().tvwTree->Count();
    w().cmdsearch_Click(0);
    w().cmdsearch_Click(1);
    EXPECT_EQ(w().tvwTree->Count(), nodes);
    EXPECT_FALSE(app.platform.hourglass);
}

TEST_F(SearchTest, EnterInASearchBoxStartsItsSearch)
{
    w().activateWindow();
    QApplication::setActiveWindow(&w());
    w().txtsearch[1]->setFocus();
    QCoreApplication::processEvents();
    ASSERT_TRUE(w().txtsearch[1]->hasFocus());
    EXPECT_TRUE(w().cmdsearch[1]->isDefault());
    w().txtsearch[1]->setText(QStringLiteral("βιβλια"));
    QTest::keyClick(w().txtsearch[1], Qt::Key_Return);
    EXPECT_TRUE(found(w().tvwTree, "l5"));

    SelectTab(w(), QStringLiteral("Οδηγός Εγγράφων"));
    w().txtsearchSchedule[0]->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w().cmdsearch[0]->isDefault());
    EXPECT_FALSE(w().cmdsearch[1]->isDefault());
    w().txtsearchSchedule[0]->setText(QStringLiteral("αιτησεις"));
    QTest::keyClick(w().txtsearchSchedule[0], Qt::Key_Return);
    EXPECT_TRUE(found(w().tvwTreeschedule[0], "l4"));
}

TEST_F(SearchTest, TheTitleSearchAlsoFindsALawByItsNumber)
{
    app.alter(QStringLiteral("INSERT INTO law (law_id, law_code, type_id, title, all_law_flag, issue_date) VALUES "
                             "(12, '4186/2013', 1, 'Αναδιάρθρωση', 1, '2013-09-17');"));
    SelectTab(w(), FrmInitial::kLegislation);
    for (const char* text : {"4186/2013", "4186", "2013 4186"}) {
        search(w().txtsearchlaw[0], 0, QString::fromLatin1(text));
        EXPECT_TRUE(found(w().tvwTreelaw, "c12")) << text;
        EXPECT_FALSE(found(w().tvwTreelaw, "c10")) << text;
    }
    // A title hit and a number hit together, each once.
    search(w().txtsearchlaw[0], 0, QStringLiteral("10"));
    EXPECT_TRUE(found(w().tvwTreelaw, "c10"));
    EXPECT_FALSE(found(w().tvwTreelaw, "c12"));
}
