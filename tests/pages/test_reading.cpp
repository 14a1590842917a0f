// Find and zoom in the page and text views.
#include "data/TextFolding.h"
#include "pages/FindText.h"
#include "pages/PageBrowser.h"
#include "pages/ReadingTools.h"
#include "pages/Zoom.h"
#include "startup/HeadlessPlatform.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>

TEST(FindText, IgnoresCaseAndAccentsAsTheSearchesDo)
{
    const QString text = QStringLiteral("Το ΆΡΘΡΟ 5 και το άρθρο 6· Αϊδίνι, ΑΙΔΙΝΙ.");
    EXPECT_EQ(FindMatches(text, QStringLiteral("αρθρο")), (QList<qsizetype>{3, 18}));
    EXPECT_EQ(FindMatches(text, QStringLiteral("αιδινι")).size(), 2);
    EXPECT_TRUE(FindMatches(text, QString()).isEmpty());
    EXPECT_EQ(FindMatches(QStringLiteral("ααα"), QStringLiteral("αα")).size(), 1) << "hits do not overlap";

    // Position for position, the find folding is the search folding of
    // every character that is not a blank.
    for (char32_t c = 1; c < 0x10000; ++c) {
        if (c == u' ' || (c >= 0xD800 && c < 0xE000))
            continue;
        const QString one(QChar(static_cast<char16_t>(c)));
        ASSERT_EQ(FoldKeepingLength(one), FoldSearchText(one)) << static_cast<unsigned>(c);
    }
}

TEST(ReadingTools, FindStepsThroughHitsAndZoomScalesHeadingsWithText)
{
    HeadlessPlatform platform;
    PageBrowser page(QStringLiteral("page"));
    page.resize(500, 300);
    page.show();
    page.SetBodyHtml(QStringLiteral("<h1>Άρθρο 1</h1><p>Κείμενο του άρθρου.</p><p>ΑΡΘΡΟ τελευταίο</p>"));
    page.ApplyPageStyle();
    ReadingTools& tools = page.Tools();

    tools.openFind();
    ASSERT_TRUE(tools.findOpen());
    tools.findBox()->setText(QStringLiteral("αρθρ"));
    EXPECT_EQ(tools.hitCount(), 3);
    EXPECT_EQ(page.extraSelections().size(), 3);
    EXPECT_TRUE(tools.findNext());
    QTest::keyClick(tools.findBox(), Qt::Key_Escape);
    EXPECT_FALSE(tools.findOpen());
    EXPECT_TRUE(page.extraSelections().isEmpty());

    auto headingPoints = [&] {
        const QTextCharFormat f = page.document()->firstBlock().begin().fragment().charFormat();
        return f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                         : f.intProperty(QTextFormat::FontPixelSize) * 0.75;
    };
    const double heading = headingPoints();
    const double body = page.document()->defaultFont().pointSizeF();
    ZoomMemory memory(platform.registry());
    tools.setZoomMemory(&memory);
    tools.setZoom(150);
    EXPECT_NEAR(headingPoints(), heading * 1.5, 0.1);
    EXPECT_NEAR(page.document()->defaultFont().pointSizeF(), body * 1.5, 0.1);
    // A new page keeps the view's zoom; the level is kept for the next run.
    page.SetBodyHtml(QStringLiteral("<h1>Άρθρο 2</h1>"));
    page.ApplyPageStyle();
    EXPECT_NEAR(headingPoints(), heading * 1.5, 0.1);
    EXPECT_EQ(memory.level(QStringLiteral("page")), 150);
    tools.setZoom(Zoom::kNormal);
    EXPECT_NEAR(headingPoints(), heading, 0.1);
}

TEST(ReadingTools, ATextBoxMenuIsGreek)
{
    QLineEdit box;
    box.setText(QStringLiteral("4186"));
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    ReadingTools::TranslateStandardMenu(*menu);
    for (const QAction* action : menu->actions()) {
        const QString text = action->text().section(u'\t', 0, 0);
        EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) << text.toStdString();
    }
}
