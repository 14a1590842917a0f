// The document guide: its tree, its entry pages and its template pages.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/LawPage.h"
#include "pages/PageBrowser.h"
#include "pages/SchedulePage.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES (1, 'Υποδείγματα', 1, -1), (2, 'Άρθρο', 0, 0), (5, 'Παράγραφος', 0, 0);
INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES
  (1, 0, 'Βεβαιώσεις', 1, 0, 0, 0), (2, 1, 'Φοίτησης', 1, 2, 0, 0), (3, 1, 'Σπουδών', 1, 1, 0, 0),
  (4, 0, 'Αιτήσεις', 2, 0, 0, 0), (5, 0, 'Έγγραφο', 3, 0, 0, -1), (6, 0, 'Κενό', 4, 0, 0, 0);
INSERT INTO ScheduleAbstract (Abstract_id, Schedule_id, descr, aa_abstr_flag) VALUES
  (1, 1, '<p>δεύτερη <a href="#1">βεβαίωση</a></p>', 2), (2, 1, '<p>πρώτη</p>', 1),
  (3, 4, NULL, 1), (4, 4, '<p>μετά</p>', 2), (5, 5, NULL, 1);
INSERT INTO Schedulelaw (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, BlobType) VALUES
  (1, 'Υ1', 1, 'Βεβαίωση', '<p>κείμενο</p>', 1, NULL, NULL, NULL),
  (2, 'Υ2', 1, 'Αίτηση', '<p>αρχή</p>', 0, NULL, NULL, NULL),
  (3, 'Υ2', 2, 'Άρθρο 1', '<p>α1</p>', 0, '1', NULL, NULL),
  (4, 'Υ2', 5, 'Παρ. 1.1', '<p>π</p>', 0, '1', '1', NULL),
  (6, 'Υ3', 1, 'Πίνακας', '  ', 0, NULL, NULL, 'xlsx'),
  (7, 'Υ3', 9, 'Φύλλο', NULL, 0, '1', '1', 'xlsx');
INSERT INTO system_law_parameters VALUES (1);
)SQL");

class Guide : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.started);
        SelectTab(w(), QStringLiteral("Οδηγός Εγγράφων"));
    }
    FrmInitial& w() { return app.window(); }
    TreeView& tree() { return *w().tvwTreeschedule[0]; }
    void click(const char* key)
    {
        tree().SetSelectedItem(tree().Node(QString::fromLatin1(key)));
        emit tree().Click();
    }

    TestApp app{kContent};
};

} // namespace

TEST_F(Guide, TheTreeOfTheEditionIsFilledTheOtherNot)
{
    EXPECT_EQ(tree().topLevelItemCount(), 4);
    EXPECT_EQ(TreeView::Key(tree().topLevelItem(0)), QStringLiteral("l1"));
    EXPECT_EQ(TreeView::Key(tree().Node(QStringLiteral("l1"))->child(0)), QStringLiteral("l3"));
    EXPECT_EQ(TreeView::Image(tree().Node(QStringLiteral("l1"))), QStringLiteral("closed"));
    EXPECT_EQ(TreeView::Image(tree().Node(QStringLiteral("l4"))), QStringLiteral("open"));
    EXPECT_FALSE(tree().Node(QStringLiteral("l1"))->isExpanded());
    EXPECT_EQ(w().tvwTreeschedule[1]->Count(), 0);
}

TEST_F(Guide, AnEntryPageInItsOrderAndStyled)
{
    app.program().state().gLawIdThemata = 5;
    click("l1");
    EXPECT_EQ(w().brwWebBrowser1->BodyHtml(), QStringLiteral(" <h1>Βεβαιώσεις</h1><p>πρώτη</p><p>δεύτερη <a href=\"#1\">βεβαίωση</a></p>"));
    EXPECT_TRUE(w().brwWebBrowser1->IsStyled());
    EXPECT_EQ(w().gScheduleAbstract, 1);
    EXPECT_EQ(app.program().state().gLawId, 0);
    EXPECT_EQ(app.program().state().gLawIdThemata, 0);
    EXPECT_TRUE(tree().Node(QStringLiteral("l1"))->isExpanded());
    EXPECT_EQ(w().lblDocument->text(), QString());
}

TEST_F(Guide, AnEntryWithoutAbstractsIsABlankStyledPage)
{
    w().gScheduleAbstract = 1;
    click("l6");
    EXPECT_EQ(w().brwWebBrowser1->BodyHtml(), QStringLiteral(" "));
    EXPECT_TRUE(w().brwWebBrowser1->IsStyled());
    EXPECT_EQ(w().gScheduleAbstract, 1);
}

TEST_F(Guide, ANullFirstAbstractBlanksThePage)
{
    click("l4");
    EXPECT_TRUE(w().brwWebBrowser1->BodyHtml().isEmpty());
    EXPECT_FALSE(w().brwWebBrowser1->IsStyled());
    EXPECT_EQ(w().gScheduleAbstract, 0);
}

TEST_F(Guide, AStoredDocumentHidesBothPages)
{
    click("l5");
    EXPECT_TRUE(w().brwWebBrowser1->isHidden());
    EXPECT_TRUE(w().brwWebBrowser2->isHidden());
}

TEST_F(Guide, ALinkOfTheEntryPageOpensTheTemplate)
{
    click("l1");
    emit w().brwWebBrowser1->anchorClicked(QUrl(QStringLiteral("#1")));
    EXPECT_EQ(w().brwWebBrowser2->BodyHtml(), QStringLiteral("<h1>Βεβαίωση</h1><p>κείμενο</p>"));
    EXPECT_EQ(w().lblDocument->text(), QStringLiteral("Βεβαίωση"));
    EXPECT_EQ(app.program().state().gLawIdThemata, 1);

    // Selecting nothing blanks both pages and shows the blank document icon.
    tree().SetSelectedItem(nullptr);
    emit tree().Click();
    EXPECT_TRUE(w().brwWebBrowser1->BodyHtml().isEmpty());
    EXPECT_TRUE(w().brwWebBrowser2->BodyHtml().isEmpty());
    EXPECT_EQ(w().lblDocument->text(), QString());
}

TEST(TemplatePage, AssembledLikeALawPage)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    Database& db = *app.program().state().gAdoConnection;
    SqlTools tools;
    const LawPage assembled = BuildLawPage(db, tools, TemplateQueries(), 2, false);
    EXPECT_EQ(assembled.html, QStringLiteral(" <H1>Αίτηση</H1><BR> <p>αρχή</p><H2>Άρθρο 1</H2><p>α1</p>"));
    EXPECT_EQ(assembled.recordTitle, QStringLiteral("Αίτηση"));

    // A template with no text of its own is a document: the last row names it.
    const LawPage document = BuildLawPage(db, tools, TemplateQueries(), 6, false);
    EXPECT_TRUE(document.body.trimmed().isEmpty());
    EXPECT_EQ(document.lastGroupId, 7);
}

TEST(ScheduleNodePageText, TheOutcomes)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    Database& db = *app.program().state().gAdoConnection;
    EXPECT_EQ(BuildScheduleNodePage(db, 6).outcome, ScheduleNodePage::Outcome::NoAbstracts);
    const ScheduleNodePage stored = BuildScheduleNodePage(db, 5);
    EXPECT_EQ(stored.outcome, ScheduleNodePage::Outcome::StoredDocument);
    EXPECT_EQ(stored.documentAbstractId, 5);
    EXPECT_EQ(BuildScheduleNodePage(db, 4).outcome, ScheduleNodePage::Outcome::FirstAbstractNull);
}

TEST(SecondScheduleTree, TheKestrinEditionFillsOnlyIts)
{
    TestApp app(kContent, QStringLiteral("Kestrin"));
    ASSERT_TRUE(app.started);
    EXPECT_EQ(app.window().tvwTreeschedule[0]->Count(), 0);
    EXPECT_EQ(app.window().tvwTreeschedule[1]->topLevelItemCount(), 4);
    app.program().state().gLawIdThemata = 5;
    app.window().tvwTreeschedule[1]->SetSelectedItem(app.window().tvwTreeschedule[1]->Node(QStringLiteral("l1")));
    app.window().tvwTreeschedule_Click(1);
    EXPECT_FALSE(app.window().brwWebBrowser1->BodyHtml().isEmpty());
    EXPECT_EQ(app.program().state().gLawIdThemata, 5);
}
