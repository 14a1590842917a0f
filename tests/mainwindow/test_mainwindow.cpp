// The main window on a database made here: its controls, tabs and editions,
// the topic tree's events and pages, and errors in its handlers.
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "startup/Edition.h"
#include "startup/Program.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW) VALUES (1, 'Νόμοι', 1, -1);
INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) VALUES
  (1, 0, 'Μαθητές', 1), (2, 1, 'Εγγραφές', 1), (3, 0, 'Δομή', 2);
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES
  (1, 2, '<p>Οι εγγραφές γίνονται τον Ιούνιο.</p>', 1);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

QStringList visibleCaptions(const SSTab& tab)
{
    QStringList captions;
    for (int i = 0; i < tab.count(); ++i)
        if (tab.TabVisible(i))
            captions << tab.TabCaption(i);
    return captions;
}

void selectTab(FrmInitial& w, const QString& caption)
{
    SelectTab(w, caption);
    ASSERT_EQ(w.SSTab1->Caption(), caption);
}

// The next control the Tab key reaches.
QWidget* nextTabStop(QWidget* w)
{
    QWidget* next = w->nextInFocusChain();
    while (next != w && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

} // namespace

TEST(MainWindow, EveryControlCarriesItsName)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    const char* names[] = {
        "SSTab1", "tvwTree", "tvwTreelaw", "tvwTreeschedule(0)", "tvwTreeschedule(1)", "lsthistory", "frSearch",
        "frsearchlaw", "frSearchSchedule(0)", "frSearchSchedule(1)", "txtsearch(0)", "txtsearch(1)", "txtsearchlaw(0)",
        "txtsearchlaw(1)", "txtsearchSchedule(0)", "txtsearchSchedule(1)", "lblsearch(1)", "lblsearchlaw(2)",
        "lblsearchschedule(1)", "cmdsearch(0)", "cmdsearch(1)", "cmbLawsAbstracts", "brwWebBrowser1", "brwWebBrowser2",
        "brwWebBrowser3", "brwWebBrowserLawFile", "rtbWord", "rtbWordLaw", "rtbWordLawTopic", "sspLaw", "cmdpichistory",
        "cmdpiclaw", "cmdpicWordlaw", "lbllaw", "lblDocument", "sspAbstract", "cmdpiclawhist", "cmdpicsavewholelaw",
        "cmdpicprintabstr", "Cmddelete", "sspToolbar", "cmdtoolbar(0)", "cmdtoolbar(3)", "imLogo", "imLogoTarvoP",
        "imLogoTarvoN", "imListTree", "imListDocuments", "imListReports", "picDrag", "picDrag2", "ProgressBar1",
        "cdPrintRTF"};
    for (const char* name : names)
        EXPECT_NE(w.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(w.cmdpichistory->toolTip(), QStringLiteral("Αποθήκευση Τρέχοντος Νομοθετήματος στο Ιστορικό"));
    EXPECT_EQ(w.Cmddelete->toolTip(), QStringLiteral("Διαγραφή από τη λίστα Ιστορικού του Επιλεγμένου Νομοθετήματος"));
    EXPECT_EQ(w.cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου"));
    EXPECT_EQ(w.cmdtoolbar[2]->toolTip(), QStringLiteral("Ρυθμίσεις"));
    EXPECT_EQ(w.lblsearchschedule[0]->text(), QStringLiteral("Αναζήτηση στον Οδηγό Εγγράφων "));
    EXPECT_EQ(w.cmdsearch[1]->text(), QStringLiteral("Αναζήτηση"));
}

TEST(MainWindow, TheSelvaraEditionShowsFourTabsOnOneRowFromTheTopics)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    EXPECT_EQ(visibleCaptions(*w.SSTab1), (QStringList{"Θέματα", "Νομοθετήματα", "Οδηγός Εγγράφων", "Ιστορικό"}));
    EXPECT_FALSE(w.SSTab1->TabEnabled(0));
    EXPECT_EQ(w.SSTab1->Caption(), QStringLiteral("Θέματα"));
    EXPECT_EQ(w.SSTab1->TabsPerRow(), 4);
    const int row = w.SSTab1->tabBar()->tabRect(1).top();
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(w.SSTab1->tabBar()->tabRect(i).top(), row) << i;
    EXPECT_TRUE(w.gOnTabThemata);
    EXPECT_FALSE(w.wIsSchedule);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Selvara  ") + Edition::kMakersMark);
    EXPECT_EQ(w.tvwTree->topLevelItemCount(), 2);
    for (QLineEdit* box : {w.txtsearch[0], w.txtsearch[1], w.txtsearchlaw[0], w.txtsearchlaw[1], w.txtsearchSchedule[0], w.txtsearchSchedule[1]})
        EXPECT_TRUE(box->text().isEmpty());
}

TEST(MainWindow, TheOtherEditionsApplyTheirRowsOfTheTable)
{
    TestApp tolvane(kContent, Edition::kTolvane);
    ASSERT_TRUE(tolvane.started);
    FrmInitial& t = tolvane.window();
    EXPECT_EQ(visibleCaptions(*t.SSTab1), (QStringList{"Θέματα", "Νομοθετήματα", "Οργανόγραμμα", "Ιστορικό"}));
    EXPECT_EQ(t.lblsearchschedule[0]->text(), QStringLiteral("Αναζήτηση στο Οργανόγραμμα"));
    EXPECT_EQ(t.txtsearchSchedule[0]->toolTip(), QStringLiteral("Αναζήτηση στους τίτλους των θεμάτων που εμφανίζονται στο δέντρο του Οργανογράμματος."));
    EXPECT_EQ(t.lblsearchlaw[0]->text(), QStringLiteral("Αναζήτηση Νομοθετημάτων"));

    TestApp kestrin(kContent, Edition::kKestrin);
    ASSERT_TRUE(kestrin.started);
    FrmInitial& k = kestrin.window();
    EXPECT_TRUE(k.SSTab1->TabVisible(0));
    EXPECT_TRUE(k.SSTab1->TabEnabled(0));
    EXPECT_FALSE(k.SSTab1->TabVisible(3));
    EXPECT_EQ(k.SSTab1->TabCaption(0), QStringLiteral("Οργανόγραμμα"));
    EXPECT_EQ(k.lblsearchlaw[0]->text(), QStringLiteral("Αναζήτηση με τον αριθμό του νομοθετήματος"));
    EXPECT_EQ(k.lblsearchlaw[1]->text(), QStringLiteral("Αναζήτηση με λέξεις κλειδιά του νομοθετήματος"));
    EXPECT_EQ(k.lblsearch[1]->text(), QStringLiteral("Αναζήτηση με λέξεις κλειδιά του θέματος"));
    EXPECT_EQ(k.lblsearchschedule[1]->text(), QStringLiteral("Αναζήτηση με λέξεις κλειδιά του τίτλου"));

    selectTab(k, QStringLiteral("Οργανόγραμμα"));
    EXPECT_TRUE(k.gOnTabOrganogramma_N);
    EXPECT_FALSE(k.gOnTabOrganogramma_P);
    EXPECT_FALSE(k.frSearchSchedule[1]->isHidden());
    EXPECT_TRUE(k.frSearchSchedule[0]->isHidden());
}

TEST(MainWindow, EachTabShowsItsControls)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();

    EXPECT_FALSE(w.cmdsearch[0]->isHidden());
    EXPECT_FALSE(w.cmdsearch[1]->isHidden());
    EXPECT_FALSE(w.brwWebBrowser1->isHidden());
    EXPECT_FALSE(w.sspLaw->isHidden());
    EXPECT_TRUE(w.brwWebBrowser3->isHidden());
    EXPECT_FALSE(w.cmdpichistory->isHidden());
    EXPECT_TRUE(w.cmdpicWordlaw->isHidden());
    EXPECT_TRUE(w.lblDocument->isHidden());

    selectTab(w, QStringLiteral("Νομοθετήματα"));
    EXPECT_TRUE(w.gOnTabNomoi);
    EXPECT_FALSE(w.brwWebBrowser3->isHidden());
    EXPECT_TRUE(w.brwWebBrowser1->isHidden());
    EXPECT_TRUE(w.sspLaw->isHidden());
    EXPECT_TRUE(w.picDrag2->isHidden());
    EXPECT_FALSE(w.cmdpicsavewholelaw->isHidden());
    EXPECT_FALSE(w.cmdpiclawhist->isHidden());
    EXPECT_TRUE(w.cmdpicprintabstr->isHidden());
    EXPECT_EQ(w.lbllaw->text(), QStringLiteral(" Νομοθέτημα"));

    selectTab(w, QStringLiteral("Οδηγός Εγγράφων"));
    EXPECT_TRUE(w.gOnTabOrganogramma_P);
    EXPECT_TRUE(w.wIsSchedule);
    EXPECT_EQ(w.lbllaw->text(), QStringLiteral(" Υπόδειγμα"));
    EXPECT_FALSE(w.cmdsearch[0]->isHidden());
    EXPECT_TRUE(w.cmdsearch[1]->isHidden());
    EXPECT_FALSE(w.cmdpicWordlaw->isHidden());
    EXPECT_FALSE(w.lblDocument->isHidden());

    selectTab(w, QStringLiteral("Ιστορικό"));
    EXPECT_FALSE(w.gOnTabThemata || w.gOnTabNomoi || w.gOnTabOrganogramma_P || w.gOnTabOrganogramma_N);
    EXPECT_TRUE(w.cmdsearch[0]->isHidden());
    EXPECT_TRUE(w.cmdsearch[1]->isHidden());
    EXPECT_FALSE(w.Cmddelete->isHidden());
    EXPECT_EQ(w.brwWebBrowser3->LocationURL(), PageBrowser::kBlank);
    EXPECT_TRUE(w.brwWebBrowser3->BodyHtml().isEmpty());
    // The keyboard order of the tab.
    EXPECT_EQ(nextTabStop(w.lsthistory), w.cmdpiclawhist);
    EXPECT_EQ(nextTabStop(w.cmdpiclawhist), w.Cmddelete);
}

TEST(MainWindow, TheTopicsAndLegislationTabsKeepTheirOwnLaw)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    AppState& st = app.program().state();
    st.gLawIdNomoi = 42;
    st.gLawIdThemata = 7;
    selectTab(w, QStringLiteral("Νομοθετήματα"));
    EXPECT_EQ(st.gLawId, 42);
    selectTab(w, QStringLiteral("Θέματα"));
    EXPECT_EQ(st.gLawId, 7);
    selectTab(w, QStringLiteral("Οδηγός Εγγράφων"));
    EXPECT_EQ(st.gLawId, 0);
    selectTab(w, QStringLiteral("Νομοθετήματα"));
    EXPECT_EQ(st.gLawId, 42);
}

TEST(MainWindow, ClickingTopicsTogglesAndShowsTheirPage)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    AppState& st = app.program().state();
    QTreeWidgetItem* pupils = w.tvwTree->Node(QStringLiteral("l1"));
    ASSERT_NE(pupils, nullptr);
    EXPECT_EQ(TreeView::Image(pupils), QStringLiteral("closed"));

    w.tvwTree->SetSelectedItem(pupils);
    w.tvwTree_Click();
    EXPECT_TRUE(pupils->isExpanded());
    EXPECT_EQ(TreeView::Image(pupils), QStringLiteral("open"));
    w.tvwTree_Click();
    EXPECT_FALSE(pupils->isExpanded());
    EXPECT_EQ(TreeView::Image(pupils), QStringLiteral("closed"));

    st.gLawIdThemata = 9;
    w.gScheduleAbstract = 0;
    w.tvwTree->SetSelectedItem(w.tvwTree->Node(QStringLiteral("l2")));
    w.tvwTree_KeyDown(40);
    EXPECT_EQ(w.brwWebBrowser1->BodyHtml(), QStringLiteral(" <h1>Εγγραφές</h1><p>Οι εγγραφές γίνονται τον Ιούνιο.</p>"));
    EXPECT_TRUE(w.brwWebBrowser1->IsStyled());
    EXPECT_EQ(w.gAbstract, 1);
    EXPECT_EQ(w.gScheduleAbstract, 1);
    EXPECT_EQ(st.gLawId, 0);
    EXPECT_EQ(st.gLawIdThemata, 0);
    EXPECT_EQ(st.gLawNodeKind, QString());
    EXPECT_FALSE(w.brwWebBrowser2->isHidden());

    // Other keys do nothing; Enter is a click.
    w.brwWebBrowser1->Navigate(PageBrowser::kBlank);
    w.tvwTree_KeyDown(65);
    EXPECT_TRUE(w.brwWebBrowser1->BodyHtml().isEmpty());
    w.tvwTree_KeyPress(13);
    EXPECT_FALSE(w.brwWebBrowser1->BodyHtml().isEmpty());
}

TEST(MainWindow, ClickingEmptySpaceBlanksBothPages)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    w.tvwTree->SetSelectedItem(w.tvwTree->Node(QStringLiteral("l2")));
    w.tvwTree_Click();
    ASSERT_FALSE(w.brwWebBrowser1->BodyHtml().isEmpty());
    w.brwWebBrowser2->SetBodyHtml(QStringLiteral("<p>νόμος</p>"));

    const QPoint below(10, w.tvwTree->viewport()->height() - 5);
    QTest::mouseClick(w.tvwTree->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(w.tvwTree->SelectedItem(), nullptr);
    EXPECT_TRUE(w.brwWebBrowser1->BodyHtml().isEmpty());
    EXPECT_TRUE(w.brwWebBrowser2->BodyHtml().isEmpty());
    EXPECT_FALSE(w.brwWebBrowser2->isHidden());
}

TEST(MainWindow, AFailingQueryInAClickIsReportedAndTheProgramGoesOn)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    app.alter(QStringLiteral("DROP TABLE abstract;"));
    w.tvwTree->SetSelectedItem(w.tvwTree->Node(QStringLiteral("l2")));
    emit w.tvwTree->Click();
    ASSERT_EQ(app.platform.recorder.messages.size(), 1);
    const MessageRequest& m = app.platform.recorder.messages[0];
    EXPECT_EQ(m.icon, MsgIcon::Critical);
    EXPECT_TRUE(m.prompt.contains(QStringLiteral("no such table: abstract"))) << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.startsWith(QStringLiteral("Σφάλμα εκτέλεσης '1':")));
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(app.platform.endedWith.isEmpty());
}

TEST(MainWindow, ALoadStepThatFailsIsSkipped)
{
    TestApp app(QStringLiteral("DROP TABLE topic; INSERT INTO system_law_parameters VALUES (1);"));
    ASSERT_TRUE(app.started);
    EXPECT_EQ(app.window().tvwTree->topLevelItemCount(), 0);
    EXPECT_TRUE(app.window().isVisible());
    EXPECT_TRUE(app.platform.recorder.messages.isEmpty());
}

TEST(MainWindow, TheViewerSettingNamesItselfOnTheDocumentButton)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    EXPECT_EQ(app.window().cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου"));

    app.platform.currentUser().setValue(QStringLiteral("Software/ZELKOR/TARVO/Application2Open"), QStringLiteral(" /usr/bin/okular "));
    Program second(app.platform);
    ASSERT_TRUE(second.Main());
    EXPECT_EQ(second.frmInitial()->cmdpicWordlaw->toolTip(), QStringLiteral("Προβολή εγγράφου με /usr/bin/okular"));
    EXPECT_EQ(second.state().gViewerPath, QStringLiteral("/usr/bin/okular"));
    EXPECT_TRUE(second.state().gTempPath.endsWith(QDir::separator()));
}

TEST(MainWindow, TheExitButtonEndsTheProgram)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    app.window().cmdtoolbar[3]->click();
    EXPECT_EQ(app.platform.endedWith, QList<int>{ExitStatus::Normal});
    EXPECT_FALSE(app.window().isVisible());
}

TEST(MainWindow, ResizingAppliesTheLayoutAndDraggingMovesTheSplit)
{
    TestApp app(kContent);
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    w.resize(1024, 740);
    QCoreApplication::processEvents();
    const Twips t = w.twips();
    EXPECT_EQ(w.layout.sspToolbar.Width, w.ScaleWidth());
    EXPECT_EQ(w.SSTab1->width(), t.toPixelsX(MainLayout::kTabWidth));
    EXPECT_EQ(w.brwWebBrowser1->x(), t.toPixelsX(w.layout.picDrag2.Left));

    const int before = w.SSTab1->width();
    w.picDrag_MouseMove(1, 0, 1500, 0);
    EXPECT_EQ(w.SSTab1->width(), t.toPixelsX(MainLayout::kTabWidth + 1500));
    EXPECT_GT(w.SSTab1->width(), before);
    EXPECT_EQ(w.txtsearch[0]->width(), t.toPixelsX(w.layout.cmdsearch[0].Left - 300));
}
