// Law pages in the main window, the links inside them and the law viewer.
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/FrmHotBrowser.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QToolButton>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES
  (1, 'Νόμοι', 1, -1, 1), (2, 'Άρθρο', 0, 0, 9), (5, 'Παράγραφος', 0, 0, 9);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, parag_code, issue_date) VALUES
  (1, 'Ν. 1', 1, 'Πρώτος', '<p>Βλ. <a href="#f7">έβδομο</a> <img src="../old/pics/seal.png"></p>', 1, NULL, NULL, '2001-01-01'),
  (2, 'Ν. 2', 1, 'Δεύτερος', '<p>εισαγωγή</p>', 0, NULL, NULL, '2002-01-01'),
  (3, 'Ν. 2', 5, 'Παρ. 1.1', '<p>Βλ. <a href="#1">πρώτο</a></p>', 0, '1', '1', '2002-01-01'),
  (7, 'Ν. 7', 1, 'Έβδομος', '<p>τέλος</p>', 1, NULL, NULL, '2007-01-01');
INSERT INTO topic (topic_id, topic_id_parent, descr) VALUES (1, 0, 'Εγγραφές'), (2, 0, 'Δομή');
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES
  (1, 1, '<p>Δείτε τον <a href="#2">δεύτερο</a>.</p>', 1), (2, 2, '<p>δομή</p>', 1);
INSERT INTO abstract_law (abstract_id, law_id, display_conn_flag) VALUES (1, 2, 1), (2, 3, 1);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

const QString kLaw2 = QStringLiteral(" <H1>Δεύτερος</H1><BR> <p>εισαγωγή</p><H2>Παρ. 1.1</H2><p>Βλ. <a href=\"#1\">πρώτο</a></p>");

void clickNode(TreeView& tree, const char* key)
{
    tree.SetSelectedItem(tree.Node(QString::fromLatin1(key)));
    emit tree.Click();
}

void follow(PageBrowser& b, const char* link)
{
    emit b.anchorClicked(QUrl(QString::fromLatin1(link)));
}

class Viewer : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started); }
    FrmInitial& w() { return app.window(); }
    AppState& st() { return app.program().state(); }
    FrmHotBrowser* viewer() { return app.program().frmhotbrowser(); }

    TestApp app{kContent};
};

} // namespace

TEST_F(Viewer, ALawOfTheTreeShowsItsAssembledPageAndTopics)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    clickNode(*w().tvwTreelaw, "c2");
    EXPECT_EQ(w().brwWebBrowser3->BodyHtml(), kLaw2);
    EXPECT_TRUE(w().brwWebBrowser3->IsStyled());
    EXPECT_EQ(st().gLawId, 2);
    EXPECT_EQ(st().gLawIdNomoi, 2);
    EXPECT_EQ(st().gPageHtml, kLaw2);
    ASSERT_EQ(w().cmbLawsAbstracts->count(), 2);
    EXPECT_EQ(w().cmbLawsAbstracts->itemText(0), QStringLiteral("Εγγραφές"));
    EXPECT_EQ(w().cmbLawsAbstracts->itemData(0).toInt(), 1);
    EXPECT_EQ(w().cmbLawsAbstracts->itemData(1).toInt(), 2);
    EXPECT_EQ(w().cmbLawsAbstracts->currentIndex(), 0);
    EXPECT_TRUE(w().ProgressBar1->isHidden());

    emit w().tvwTreelaw->DblClick();
    EXPECT_EQ(w().cmbLawsAbstracts->count(), 0);
}

TEST_F(Viewer, ATypeNodeTogglesAndLeavesThePageInPlace)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    clickNode(*w().tvwTreelaw, "c2");
    QTreeWidgetItem* type = w().tvwTreelaw->Node(QStringLiteral("p1"));
    const QString before = TreeView::Image(type);
    clickNode(*w().tvwTreelaw, "p1");
    EXPECT_NE(TreeView::Image(type), before);
    EXPECT_EQ(type->isExpanded(), TreeView::Image(type) == QLatin1String("open"));
    EXPECT_EQ(st().gLawNodeKind, QStringLiteral("p"));
    EXPECT_TRUE(st().gPageHtml.isEmpty());
    EXPECT_EQ(w().brwWebBrowser3->BodyHtml(), kLaw2);
    EXPECT_EQ(w().cmbLawsAbstracts->count(), 0);

    w().tvwTreelaw->SetSelectedItem(nullptr);
    emit w().tvwTreelaw->Click();
    EXPECT_TRUE(w().brwWebBrowser3->BodyHtml().isEmpty());
    EXPECT_FALSE(w().brwWebBrowser3->isHidden());
}

TEST_F(Viewer, PicturesOfALawLoadFromTheHelpFolder)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    clickNode(*w().tvwTreelaw, "c1");
    const QString expected = QDir(app.platform.appFolder).filePath(QStringLiteral("help/seal.png"));
    EXPECT_TRUE(w().brwWebBrowser3->BodyHtml().contains(QStringLiteral("src=\"") + QDir::toNativeSeparators(expected) + u'"'))
        << w().brwWebBrowser3->BodyHtml().toStdString();
}

TEST_F(Viewer, ALinkInTheTopicPageOpensTheLawBelowIt)
{
    clickNode(*w().tvwTree, "l1");
    follow(*w().brwWebBrowser1, "#2");
    EXPECT_EQ(w().brwWebBrowser2->BodyHtml(), kLaw2);
    EXPECT_TRUE(w().brwWebBrowser2->IsStyled());
    EXPECT_EQ(st().gLawIdThemata, 2);
    EXPECT_EQ(st().gLawId, 2);
    EXPECT_EQ(viewer(), nullptr);

    // A link naming no law leaves the law page as it was.
    follow(*w().brwWebBrowser1, "about:blank#abc");
    EXPECT_EQ(w().brwWebBrowser2->BodyHtml(), kLaw2);
}

TEST_F(Viewer, ALinkInALawPageOpensOneViewerAtATime)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    clickNode(*w().tvwTreelaw, "c2");
    follow(*w().brwWebBrowser3, "#1");
    FrmHotBrowser* first = viewer();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->windowTitle(), QStringLiteral("Περιγραφή Νομοθετήματος"));
    EXPECT_EQ(st().gLawIdHotBrowser, 1);
    EXPECT_TRUE(first->brwhotbrowser->BodyHtml().startsWith(QStringLiteral("<h1>Πρώτος</h1>")));
    EXPECT_TRUE(first->brwhotbrowser->IsStyled());
    EXPECT_FALSE(first->cmdpicsavewholelaw->isHidden());

    // Inside the viewer a link replaces its page in place.
    follow(*first->brwhotbrowser, "about:blank#f7");
    EXPECT_EQ(viewer(), first);
    EXPECT_EQ(first->brwhotbrowser->BodyHtml(), QStringLiteral("<h1>Έβδομος</h1><p>τέλος</p>"));
    EXPECT_EQ(st().gLawIdHotBrowser, 7);

    // The main window shows another law; activating the viewer makes its law current again.
    clickNode(*w().tvwTreelaw, "c2");
    EXPECT_EQ(st().gLawId, 2);
    first->Form_Activate();
    EXPECT_EQ(st().gLawId, 7);
    EXPECT_EQ(st().gHotBrowserActive, 1);

    // A second link from the main window closes the viewer and opens a new one.
    follow(*w().brwWebBrowser3, "#7");
    ASSERT_NE(viewer(), nullptr);
    EXPECT_EQ(viewer()->brwhotbrowser->BodyHtml(), QStringLiteral("<h1>Έβδομος</h1><p>τέλος</p>"));
    EXPECT_EQ(st().gHotBrowserActive, 0);
}

TEST_F(Viewer, ALinkToNoLawOpensABlankViewer)
{
    SelectTab(w(), QStringLiteral("Νομοθετήματα"));
    clickNode(*w().tvwTreelaw, "c2");
    follow(*w().brwWebBrowser3, "about:blank#abc");
    ASSERT_NE(viewer(), nullptr);
    EXPECT_TRUE(viewer()->brwhotbrowser->BodyHtml().isEmpty());
    EXPECT_FALSE(viewer()->brwhotbrowser->IsStyled());
}

TEST_F(Viewer, OpenedFromTheHistoryTabItHasNoSaveButton)
{
    SelectTab(w(), QStringLiteral("Ιστορικό"));
    st().gPageHtml.clear();
    FrmHotBrowser& v = app.program().showFrmHotBrowser();
    EXPECT_TRUE(v.cmdpicsavewholelaw->isHidden());
    EXPECT_FALSE(v.cmdpicsavewholelaw->isEnabled());
    v.resize(800, 500);
    v.Form_Resize();
    EXPECT_EQ(v.geometry.cmdhotconnprint.Left, v.geometry.cmdpicsavewholelaw.Left);
}

TEST_F(Viewer, AnOrdinaryAddressIsNotIntercepted)
{
    bool cancel = false;
    w().brwLawPage_BeforeNavigate2(QStringLiteral("about:blank"), cancel);
    EXPECT_FALSE(cancel);
    EXPECT_EQ(viewer(), nullptr);
    w().brwWebBrowser1_BeforeNavigate2(QStringLiteral("about:blank"), cancel);
    EXPECT_FALSE(cancel);
    emit w().brwWebBrowser3->GotFocus();
    EXPECT_EQ(st().gMainActive, 1);
}

TEST(ViewerLayout, ButtonsFromTheRightAndViewsBelowThePanel)
{
    FrmHotBrowser::Geometry g;
    g.sspLaw = {0, 0, 100, 555};
    g.cmdpicsavewholelaw = {0, 45, 500, 465};
    g.cmdhotconnprint = {0, 45, 500, 465};
    g.brwhotbrowser = {0, 0, 100, 2000};
    FrmHotBrowser::Layout(g, 12000, 9000, true);
    EXPECT_EQ(g.sspLaw.Width, 12000);
    EXPECT_EQ(g.cmdpicsavewholelaw.Left, 12000 - 500 - 100);
    EXPECT_EQ(g.cmdhotconnprint.Left, g.cmdpicsavewholelaw.Left - 500 - 100);
    EXPECT_EQ(g.brwhotbrowser.Top, 555);
    EXPECT_EQ(g.brwhotbrowser.Height, 9000 - 555);
    EXPECT_EQ(g.rtbhotBrowser.Width, 12000);

    FrmHotBrowser::Layout(g, 12000, 400, false);
    EXPECT_EQ(g.brwhotbrowser.Height, 9000 - 555);
    EXPECT_EQ(g.cmdhotconnprint.Left, g.cmdpicsavewholelaw.Left);
}
