// The page style rules as the page view shows them.
#include "pages/PageBrowser.h"
#include "pages/PageStyle.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextDocument>

namespace {

struct Look {
    QColor colour;
    int pixelSize = 0;
    QString family;
    bool italic = false;
    QColor background;
    Qt::Alignment alignment;
};

// The look of the first character of text in the page.
Look lookOf(const PageBrowser& b, const QString& text)
{
    Look look;
    for (QTextBlock block = b.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.text().contains(text))
                continue;
            const QTextCharFormat c = f.charFormat();
            look.colour = c.foreground().color();
            look.pixelSize = c.font().pixelSize();
            look.family = c.fontFamilies().toStringList().value(0);
            look.italic = c.fontItalic();
            look.background = block.blockFormat().background().color();
            look.alignment = block.blockFormat().alignment();
            return look;
        }
    }
    ADD_FAILURE() << "no text " << text.toStdString();
    return look;
}

const QString kPage = QStringLiteral(
    "<h1>Τίτλος <a href=\"#5\">σύνδεσμος</a></h1><h2>Άρθρο</h2><h3>σημείωση</h3><h4>υπότιτλος</h4>"
    "<p>κείμενο <b>έντονο</b></p><a href=\"#7\">μόνος</a><table><tr><td>κελί</td></tr></table>");

} // namespace

TEST(PageStyle, TheSixRulesInTheirOrder)
{
    QStringList tags;
    for (const StyleRule& r : PageStyleRules())
        tags << r.tag;
    EXPECT_EQ(tags, (QStringList{"h1", "h2", "h3", "h4", "p", "a"}));
    const QString css = PageStyleSheet();
    EXPECT_TRUE(css.contains(QStringLiteral("h1 { font-family: Arial; font-size: 22px; color: darkblue; text-align: center; background-color: #C0AAA3; }")));
    EXPECT_TRUE(css.contains(QStringLiteral("h3 { font-family: Arial; font-size: 10px; color: brown; font-style: italic; margin: 0px; line-height: 100%; }")));
    EXPECT_TRUE(css.contains(QStringLiteral("a { font-family: Arial; font-size: 13px; color: brown; line-height: 100%; margin: 0px; }")));
}

TEST(PageStyle, HeadingsParagraphsAndLinksTakeTheirLook)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(kPage);
    b.ApplyPageStyle();

    const Look h1 = lookOf(b, QStringLiteral("Τίτλος"));
    EXPECT_EQ(h1.colour, QColor(0, 0, 139));
    EXPECT_EQ(h1.pixelSize, 22);
    EXPECT_EQ(h1.family, QStringLiteral("Arial"));
    EXPECT_EQ(h1.background, QColor(0xC0, 0xAA, 0xA3));
    EXPECT_TRUE(h1.alignment & Qt::AlignHCenter);

    // A link inside the heading is brown at 13, in the heading's block.
    const Look link = lookOf(b, QStringLiteral("σύνδεσμος"));
    EXPECT_EQ(link.colour, QColor(165, 42, 42));
    EXPECT_EQ(link.pixelSize, 13);
    EXPECT_EQ(link.background, QColor(0xC0, 0xAA, 0xA3));

    const Look h2 = lookOf(b, QStringLiteral("Άρθρο"));
    EXPECT_EQ(h2.pixelSize, 16);
    EXPECT_EQ(h2.background, QColor(0xD3, 0xC4, 0xBE));
    EXPECT_FALSE(h2.alignment & Qt::AlignHCenter);

    const Look h3 = lookOf(b, QStringLiteral("σημείωση"));
    EXPECT_EQ(h3.colour, QColor(165, 42, 42));
    EXPECT_EQ(h3.pixelSize, 10);
    EXPECT_TRUE(h3.italic);

    EXPECT_EQ(lookOf(b, QStringLiteral("υπότιτλος")).pixelSize, 13);
    const Look p = lookOf(b, QStringLiteral("κείμενο"));
    EXPECT_EQ(p.pixelSize, 13);
    EXPECT_EQ(p.colour, QColor(0, 0, 0));
    EXPECT_EQ(lookOf(b, QStringLiteral("μόνος")).colour, QColor(165, 42, 42));
}

TEST(PageStyle, OtherElementsAreLeftAlone)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(kPage);
    b.ApplyPageStyle();
    EXPECT_NE(lookOf(b, QStringLiteral("κελί")).pixelSize, 13);
    EXPECT_NE(lookOf(b, QStringLiteral("κελί")).family, QStringLiteral("Arial"));
}

TEST(PageStyle, NothingIsStyledUntilAskedAndTwiceIsOnce)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(kPage);
    b.Flush();
    EXPECT_FALSE(b.IsStyled());
    EXPECT_NE(lookOf(b, QStringLiteral("Τίτλος")).background, QColor(0xC0, 0xAA, 0xA3));
    b.ApplyPageStyle();
    const QString once = b.toHtml();
    b.ApplyPageStyle();
    EXPECT_EQ(b.toHtml(), once);
    // Writing the body again drops the look until it is asked for again.
    b.SetBodyHtml(kPage);
    EXPECT_FALSE(b.IsStyled());
    EXPECT_EQ(b.BodyHtml(), kPage);
}

TEST(PageStyle, APageWithoutHeadings)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(QStringLiteral(" <p>μόνο κείμενο <a href=\"#3\">νόμος</a></p>"));
    b.ApplyPageStyle();
    EXPECT_EQ(lookOf(b, QStringLiteral("μόνο")).pixelSize, 13);
    EXPECT_EQ(lookOf(b, QStringLiteral("νόμος")).colour, QColor(165, 42, 42));
}

TEST(PageBrowserLinks, AClickReachesTheHandlerBeforeAnyNavigation)
{
    PageBrowser b(QStringLiteral("b"));
    b.Navigate(PageBrowser::kBlank);
    b.SetBodyHtml(QStringLiteral("<a href =#57 id = 57>νόμος</a>"));
    QStringList addresses;
    QObject::connect(&b, &PageBrowser::BeforeNavigate2, [&](const QString& url, bool& cancel) {
        addresses << url;
        cancel = true;
    });
    emit b.anchorClicked(QUrl(QStringLiteral("#57")));
    emit b.anchorClicked(QUrl(QStringLiteral("about:blank#f12")));
    EXPECT_EQ(addresses, (QStringList{"about:blank#57", "about:blank#f12"}));
    // Cancelled: the page is still there.
    EXPECT_EQ(b.BodyHtml(), QStringLiteral("<a href =#57 id = 57>νόμος</a>"));
}

TEST(PageBrowserLayout, AnUnstyledBodyIsShownOnceTheEventLoopRuns)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(QStringLiteral("<p>μόνο</p>"));
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.toPlainText().contains(QStringLiteral("μόνο")));
    // A later blank navigation wins over a body still waiting.
    b.SetBodyHtml(QStringLiteral("<p>παλιό</p>"));
    b.Navigate(PageBrowser::kBlank);
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.toPlainText().isEmpty());
    // An empty page that was styled is no blank page yet: blanking drops the look.
    b.SetBodyHtml(QString());
    b.ApplyPageStyle();
    b.Navigate(PageBrowser::kBlank);
    EXPECT_TRUE(b.document()->defaultStyleSheet().isEmpty());
    EXPECT_TRUE(b.document()->isEmpty());
}
