// The search in every text as the user meets it in the program.
#include "fulltext/FrmFullText.h"
#include "fulltext/FullTextService.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingTools.h"
#include "startup/Program.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QToolButton>

namespace {

// "εκδρομή" appears only inside the rtf document of law 4.
const QString kContent = QStringLiteral(R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES (1, 'Νόμοι', 1, -1, 1), (2, 'Άρθρα', 0, 0, 9);
INSERT INTO law (law_id, law_code, type_id, title, descr, all_law_flag, article_code, issue_date, law_year, BlobType, BlobBody) VALUES
  (1, 'Ν. 1/2013', 1, 'Ωράριο', NULL, 0, NULL, '2013-09-17', 2013, NULL, NULL),
  (2, 'Ν. 1/2013', 2, 'Άρθρο 1', '<p>Πρώτο άρθρο.</p>', 0, '1', NULL, NULL, NULL, NULL),
  (3, 'Ν. 1/2013', 2, 'Άρθρο 2', '<p>Οι εφημερίες των καθηγητών.</p>', 0, '2', NULL, NULL, NULL, NULL),
  (4, 'Ν. 9/2020', 1, 'Έγγραφο', NULL, 1, NULL, '2020-01-01', 2020, 'rtf', CAST('{\rtf1\ansi\ansicpg1253 \''e5\''ea\''e4\''f1\''ef\''ec\''de\par}' AS BLOB));
INSERT INTO system_law_parameters VALUES (1);
)SQL");

class FullTextWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.started); }
    FrmInitial& w() { return app.window(); }
    FullText::Service& service() { return app.program().fullText(); }
    bool ready()
    {
        w().startFullTextIndex();
        return QTest::qWaitFor([this] { return service().state() == FullText::Service::State::Ready; }, 10000);
    }
    FrmFullText& searchFor(const QString& words)
    {
        w().OpenFullTextWindow(words);
        FrmFullText& window = *app.program().frmFullText();
        EXPECT_TRUE(QTest::qWaitFor([&window] { return window.lstFullText->count() > 0; }, 5000));
        return window;
    }

    TestApp app{kContent};
};

} // namespace

TEST_F(FullTextWindow, AWordInsideAnRtfLawIsFoundAndOpened)
{
    ASSERT_TRUE(ready());
    EXPECT_TRUE(w().lblFullText->text().isEmpty());
    FrmFullText& window = searchFor(QStringLiteral("ΕΚΔΡΟΜΕΣ"));
    ASSERT_EQ(window.hits().size(), 1);
    EXPECT_EQ(window.hits()[0].lawId, 4);
    EXPECT_EQ(window.lblFullTextCount->text(), QStringLiteral("Βρέθηκε 1 κείμενο"));
    ASSERT_TRUE(window.openCurrent());
    EXPECT_EQ(w().tvwTreelaw->SelectedItem(), w().tvwTreelaw->Node(QStringLiteral("c4")));
    ASSERT_FALSE(w().rtbWordLaw->isHidden());
    EXPECT_EQ(w().rtbWordLaw->Tools().hitCount(), 1);
    EXPECT_TRUE(w().rtbWordLaw->Tools().findOpen());
}

TEST_F(FullTextWindow, AnArticleOpensInItsLawWithTheWordsMarked)
{
    ASSERT_TRUE(ready());
    FrmFullText& window = searchFor(QStringLiteral("εφημερίας"));
    ASSERT_EQ(window.hits().size(), 1);
    EXPECT_EQ(window.hits()[0].article, QStringLiteral("Άρθρο 2"));
    // Enter in the query box opens the chosen result.
    QTest::keyClick(window.txtFullText, Qt::Key_Return);
    EXPECT_EQ(w().tvwTreelaw->SelectedItem(), w().tvwTreelaw->Node(QStringLiteral("c1")));
    EXPECT_TRUE(w().brwWebBrowser3->toPlainText().contains(QStringLiteral("εφημερίες")));
    EXPECT_EQ(w().brwWebBrowser3->Tools().hitCount(), 1);

    // Nothing found is said so; the toolbar button brings the window back.
    window.setQuery(QStringLiteral("ανύπαρκτη"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&window] { return !window.lblFullTextCount->text().startsWith(QStringLiteral("Βρέθηκ")); }, 5000));
    EXPECT_EQ(window.lblFullTextCount->text(), QStringLiteral("Δεν βρέθηκε κανένα κείμενο"));
    EXPECT_EQ(window.lstFullText->count(), 0);
    window.close();
    w().cmdFullText->click();
    ASSERT_TRUE(app.program().frmFullText());
    EXPECT_TRUE(app.program().frmFullText()->isVisible());
}

TEST_F(FullTextWindow, ClosingDuringTheBuildLeavesNoHalfIndex)
{
    w().startFullTextIndex();
    w().close();
    const QDir cache(app.platform.cachePath);
    EXPECT_TRUE(cache.entryList({QStringLiteral("*.part")}, QDir::Files).isEmpty());
    for (const QString& name : cache.entryList({QStringLiteral("*.fts")}, QDir::Files))
        EXPECT_TRUE(FullText::IndexIsCurrent(cache.filePath(name), FullText::SourceKey(app.databasePath()))) << name.toStdString();
}
