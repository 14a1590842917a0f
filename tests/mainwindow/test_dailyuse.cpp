// What daily use expects of the trees and the history: the law kept is the
// law on screen, and a tree opens and closes only when the user asks.
#include "documents/LawPrintLabel.h"
#include "fulltext/FullTextService.h"
#include "mainwindow/Controls.h"
#include "mainwindow/MainLayout.h"
#include "mainwindow/WindowMemory.h"
#include "mainwindow/FrmInitial.h"
#include "pages/FrmHotBrowser.h"
#include "windows/FrmHelp.h"
#include "pages/PageBrowser.h"
#include "startup/Program.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QPrinter>
#include <QProcess>
#include <QTest>
#include <QToolButton>

namespace {

const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES (1, 'Νόμοι', 1, -1, 1), (3, 'Διατάγματα', 1, -1, 2);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, issue_date, law_year) VALUES
  (1, 'Ν. 1/2021', 1, 'Εκδρομές', '<p>κείμενο εκδρομών</p>', 1, '2021-01-01', 2021),
  (2, 'Ν. 2/2021', 1, 'Απουσίες', '<p>κείμενο απουσιών</p>', 1, '2021-02-01', 2021),
  (3, 'Π.Δ. 3/1998', 3, 'Τεχνική εκπαίδευση', '<p>άσχετο</p>', 1, '1998-01-01', 1998);
INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) VALUES (1, 0, 'Μαθητές', 1), (2, 1, 'Εκδρομές', 1), (3, 0, 'Εκπαιδευτικοί', 2);
INSERT INTO abstract (abstract_id, topic_id, descr, aa_abstr_flag) VALUES (1, 2, '<p>Βλ. <a href="#1">νόμο</a></p>', 1);
INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3, IsBlob) VALUES
  (1, 0, 'Βεβαιώσεις', 1, 0, 0, 0), (2, 1, 'Φοίτηση', 1, 1, 0, 0), (3, 0, 'Άδειες', 2, 0, 0, 0);
INSERT INTO system_law_parameters VALUES (1);
)SQL");

class DailyUse : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started); }
    FrmInitial& w() { return app.window(); }
    AppState& st() { return app.program().state(); }
    void click(TreeView& tree, const char* key)
    {
        tree.SetSelectedItem(tree.Node(QString::fromLatin1(key)));
        emit tree.Click();
    }
    QTreeWidgetItem* node(TreeView& tree, const char* key) { return tree.Node(QString::fromLatin1(key)); }

    TestApp app{kContent};
};

} // namespace

TEST_F(DailyUse, TheHistoryKeepsAndShowsTheLawOnScreen)
{
    SelectTab(w(), FrmInitial::kLegislation);
    click(*w().tvwTreelaw, "c1");
    // A type folder leaves law 1 on screen; the history keeps law 1, not
    // the law whose id is the folder's.
    click(*w().tvwTreelaw, "p3");
    EXPECT_TRUE(w().brwWebBrowser3->toPlainText().contains(QStringLiteral("κείμενο εκδρομών")));
    st().gMainActive = 1;
    w().cmdpicsavewholelaw->click();
    ASSERT_EQ(w().lsthistory->count(), 1);
    EXPECT_EQ(w().lsthistory->item(0)->data(Qt::UserRole).toInt(), 1);

    // With the folder still selected there, a history entry shows its law.
    SelectTab(w(), FrmInitial::kHistory);
    w().lsthistory->setCurrentRow(0);
    EXPECT_TRUE(w().brwWebBrowser3->toPlainText().contains(QStringLiteral("κείμενο εκδρομών")));
    // Back on the legislation tab the folder's tab shows that law again.
    SelectTab(w(), FrmInitial::kLegislation);
    EXPECT_TRUE(w().brwWebBrowser3->toPlainText().contains(QStringLiteral("κείμενο εκδρομών")));
}

TEST_F(DailyUse, TreesOpenAndCloseOnlyWhenAsked)
{
    TreeView& topics = *w().tvwTree;
    SelectTab(w(), FrmInitial::kTopics);
    click(topics, "l1");
    ASSERT_TRUE(node(topics, "l1")->isExpanded());
    // Arrows move and show; they neither open nor close.
    topics.setFocus();
    QTest::keyClick(&topics, Qt::Key_Right);
    EXPECT_EQ(topics.currentItem(), node(topics, "l2"));
    EXPECT_TRUE(w().brwWebBrowser1->toPlainText().contains(QStringLiteral("νόμο")));
    QTest::keyClick(&topics, Qt::Key_Left);
    EXPECT_EQ(topics.currentItem(), node(topics, "l1"));
    QTest::keyClick(&topics, Qt::Key_Down);
    QTest::keyClick(&topics, Qt::Key_Up);
    QTest::keyClick(&topics, Qt::Key_Left);
    EXPECT_TRUE(node(topics, "l1")->isExpanded());

    // A law shown below the topic, and the open branch, are there on return.
    click(topics, "l2");
    emit w().brwWebBrowser1->anchorClicked(QUrl(QStringLiteral("#1")));
    SelectTab(w(), FrmInitial::kLegislation);
    click(*w().tvwTreelaw, "p1");
    const bool lawTypeOpen = node(*w().tvwTreelaw, "p1")->isExpanded();
    SelectTab(w(), FrmInitial::kTopics);
    EXPECT_TRUE(node(topics, "l1")->isExpanded());
    EXPECT_TRUE(w().brwWebBrowser2->toPlainText().contains(QStringLiteral("κείμενο εκδρομών")));
    SelectTab(w(), FrmInitial::kLegislation);
    EXPECT_EQ(node(*w().tvwTreelaw, "p1")->isExpanded(), lawTypeOpen);
    // The guide's tree likewise.
    TreeView& guide = *w().tvwTreeschedule[0];
    SelectTab(w(), FrmInitial::kDocumentGuide);
    click(guide, "l1");
    ASSERT_TRUE(node(guide, "l1")->isExpanded());
    guide.setFocus();
    QTest::keyClick(&guide, Qt::Key_Down);
    QTest::keyClick(&guide, Qt::Key_Up);
    SelectTab(w(), FrmInitial::kLegislation);
    SelectTab(w(), FrmInitial::kDocumentGuide);
    EXPECT_TRUE(node(guide, "l1")->isExpanded());

    // Enter still opens and closes.
    SelectTab(w(), FrmInitial::kTopics);
    topics.setFocus();
    topics.setCurrentItem(node(topics, "l1"));
    QTest::keyClick(&topics, Qt::Key_Return);
    EXPECT_FALSE(node(topics, "l1")->isExpanded());
}

TEST_F(DailyUse, TheLawsTipsGiveItsTitle)
{
    QTreeWidgetItem* law = node(*w().tvwTreelaw, "c1");
    ASSERT_TRUE(law);
    EXPECT_EQ(law->text(0), QStringLiteral("Ν. 1/2021"));
    EXPECT_EQ(PlainTitle(law->data(0, Qt::ToolTipRole).toString()), QStringLiteral("Εκδρομές"));
    EXPECT_EQ(PlainTitle(QStringLiteral("<b>Ν.</b>&nbsp;4823/2021 &amp;  <i>Εκδρομές</i>")),
              QStringLiteral("Ν. 4823/2021 & Εκδρομές"));
}

TEST_F(DailyUse, TheKeysOfTabsHelpViewerAndHistory)
{
    SelectTab(w(), FrmInitial::kTopics);
    // Shortcuts answer in the active window only.
    QApplication::setActiveWindow(&w());
    QTest::keyClick(&w(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(w().SSTab1->Caption(), FrmInitial::kLegislation);
    QTest::keyClick(&w(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w().SSTab1->Caption(), FrmInitial::kTopics);
    QTest::keyClick(&w(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(w().SSTab1->Caption(), FrmInitial::kHistory);

    QTest::keyClick(&w(), Qt::Key_F1);
    ASSERT_TRUE(app.program().frmHelp());
    app.program().frmHelp()->close();

    // Delete in the history list deletes the entry, as the button does.
    SelectTab(w(), FrmInitial::kLegislation);
    click(*w().tvwTreelaw, "c2");
    st().gMainActive = 1;
    w().cmdpicsavewholelaw->click();
    SelectTab(w(), FrmInitial::kHistory);
    w().lsthistory->setCurrentRow(0);
    w().lsthistory->setFocus();
    QTest::keyClick(w().lsthistory, Qt::Key_Delete);
    EXPECT_EQ(w().lsthistory->count(), 0);

    // Esc closes the law viewer.
    SelectTab(w(), FrmInitial::kLegislation);
    click(*w().tvwTreelaw, "c1");
    bool cancel = false;
    w().brwLawPage_BeforeNavigate2(QStringLiteral("#2"), cancel);
    ASSERT_TRUE(app.program().frmhotbrowser());
    QTest::keyClick(app.program().frmhotbrowser(), Qt::Key_Escape);
    EXPECT_TRUE(!app.program().frmhotbrowser() || app.program().frmhotbrowser()->unloaded());
}

TEST_F(DailyUse, TheSplittersAreWideEnoughToGrab)
{
    SelectTab(w(), FrmInitial::kTopics);
    EXPECT_GE(w().picDrag2->height(), 5);
    EXPECT_GE(w().picDrag->width(), 5);
}

TEST(WindowMemoryTest, NeverOffScreenAndReadBackAsWritten)
{
    const QList<QRect> screens{QRect(0, 0, 1024, 768), QRect(1024, 0, 1920, 1080)};
    // Left where a larger screen used to be: moved back, made smaller.
    EXPECT_EQ(KeepOnScreen(QRect(3000, 900, 1600, 1000), {QRect(0, 0, 1024, 768)}), QRect(0, 0, 1024, 768));
    EXPECT_EQ(KeepOnScreen(QRect(900, 100, 600, 400), screens), QRect(1024, 100, 600, 400));
    EXPECT_EQ(KeepOnScreen(QRect(-200, -50, 600, 400), screens), QRect(0, 0, 600, 400));
    const WindowMemory m{QRect(10, 20, 900, 700), true, 7000, 5200};
    const auto back = ReadWindowMemory(WriteWindowMemory(m));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->normal, m.normal);
    EXPECT_TRUE(back->maximized);
    EXPECT_EQ(back->tabWidth, 7000);
    EXPECT_FALSE(ReadWindowMemory(QStringLiteral("1 2 x 4 0 0 0")));
    EXPECT_FALSE(ReadWindowMemory(QStringLiteral("1 2 0 4 0 0 0")));
}

TEST_F(DailyUse, TheWindowComesBackAsItWasLeft)
{
    // Inside the offscreen screen (800×600), which would cut a larger one.
    w().resize(780, 560);
    const int wider = w().layout.SSTab1.Width + 600;
    ASSERT_TRUE(w().layout.picDrag_MouseMove(1, 600, w().ScaleWidth(), LayoutTab::Topics, false));
    w().ApplyLayout();
    const QSize size = w().size();
    app.restart();
    ASSERT_TRUE(app.started);
    EXPECT_EQ(app.window().size(), size);
    EXPECT_EQ(app.window().layout.SSTab1.Width, wider);
}

TEST_F(DailyUse, APrintedLawCarriesItsNumberTitleAndPages)
{
    EXPECT_EQ(PdfFileName(QStringLiteral("Ν. 4823/2021 — Εκδρομές: \"όροι\"")), QStringLiteral("Ν. 4823-2021 Εκδρομές- -όροι-.pdf"));
    EXPECT_EQ(PdfFileName(QStringLiteral("../")), QStringLiteral("Νομοθέτημα.pdf"));

    SelectTab(w(), FrmInitial::kLegislation);
    click(*w().tvwTreelaw, "c1");
    const QString folder = QDir(app.platform.scratch.path()).filePath(QStringLiteral("pdfs"));
    QDir().mkpath(folder);
    QString proposed;
    app.platform.recorder.onPrint = [&](QPrinter& printer) {
        proposed = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QDir(folder).filePath(QStringLiteral("law.pdf")));
        return true;
    };
    w().cmdpiclawhist->click();
    EXPECT_EQ(proposed, QStringLiteral("Ν. 1-2021 Εκδρομές"));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                             QDir(folder).filePath(QStringLiteral("law.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(printed.contains(QStringLiteral("Ν. 1/2021 — Εκδρομές")));
    EXPECT_TRUE(printed.contains(QStringLiteral("κείμενο εκδρομών")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Σελίδα 1 από 1")));
    // The folder is proposed again next time.
    EXPECT_EQ(LawPrintLabel(*st().gAdoConnection, app.platform.registry(), 1).pdfFolder, folder);
}

TEST_F(DailyUse, ASearchSaysWhatItFound)
{
    SelectTab(w(), FrmInitial::kTopics);
    w().txtsearch[0]->setText(QStringLiteral("Εκδρομές"));
    w().cmdsearch[0]->click();
    EXPECT_EQ(w().lblFullText->text(), QStringLiteral("Βρέθηκε 1 αποτέλεσμα"));
    // The text index shares the label: ready, it gives the count back.
    w().startFullTextIndex();
    ASSERT_TRUE(QTest::qWaitFor([this] { return app.program().fullText().state() == FullText::Service::State::Ready; }, 10000));
    EXPECT_EQ(w().lblFullText->text(), QStringLiteral("Βρέθηκε 1 αποτέλεσμα"));
    w().txtsearch[0]->setText(QStringLiteral("ανύπαρκτο"));
    w().cmdsearch[0]->click();
    EXPECT_EQ(w().lblFullText->text(), QStringLiteral("Δεν βρέθηκε κανένα αποτέλεσμα"));
    // Each tab speaks of its own tree.
    SelectTab(w(), FrmInitial::kLegislation);
    EXPECT_EQ(w().lblFullText->text(), QString());
    SelectTab(w(), FrmInitial::kTopics);
    EXPECT_EQ(w().lblFullText->text(), QStringLiteral("Δεν βρέθηκε κανένα αποτέλεσμα"));
}

TEST_F(DailyUse, TabReachesEveryControlOnScreenInItsOrder)
{
    SelectTab(w(), FrmInitial::kTopics);
    // The focus chain from the toolbar on, as Tab walks it.
    QList<QWidget*> chain;
    for (QWidget* at = w().cmdFullText; at && chain.size() < 400; at = at->nextInFocusChain()) {
        if (chain.contains(at))
            break;
        chain << at;
    }
    const QList<QWidget*> order{w().cmdFullText, w().cmdtoolbar[3], w().txtsearch[0], w().cmdsearch[1], w().tvwTree,
                                w().cmdpicprintabstr, w().brwWebBrowser1, w().cmdpichistory, w().brwWebBrowser2};
    qsizetype last = -1;
    for (QWidget* control : order) {
        const qsizetype at = chain.indexOf(control);
        EXPECT_GT(at, last) << control->objectName().toStdString();
        last = at;
    }
}
