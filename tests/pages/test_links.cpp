// Reading ids out of link addresses, and redirecting pictures to the help folder.
#include "pages/HtmlNesting.h"
#include "pages/Links.h"
#include "pages/PageBrowser.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextFrame>

TEST(LinkId, TheIdAfterTheHash)
{
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#57")), 57);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#f57")), 57);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#F57")), 0);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#abc")), 0);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#")), 0);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank# 12x")), 12);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#2.5")), 2);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#3.5")), 4);
    EXPECT_EQ(LinkId(QStringLiteral("about:blank#99999999999")), 0);
    EXPECT_FALSE(LinkId(QStringLiteral("about:blank")).has_value());
    EXPECT_FALSE(LinkId(QStringLiteral("file:///tmp/a.html")).has_value());
}

TEST(RewriteImageSources, PicturesComeFromTheHelpFolder)
{
    const QString app = QStringLiteral("/opt/selvara");
    const QString help = app + QDir::separator() + QStringLiteral("help") + QDir::separator();
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<p>κείμενο</p>"), app), QStringLiteral("<p>κείμενο</p>"));
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<img class=x src=\"../pics/a.gif\" width=3>"), app),
              QStringLiteral("<img class=x src=\"") + help + QStringLiteral("a.gif\" width=3>"));
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<img src='x/y\\z.png'>"), app),
              QStringLiteral("<img src='") + help + QStringLiteral("z.png'>"));
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<img src=\" plain.png \">"), app),
              QStringLiteral("<img src=\"") + help + QStringLiteral("plain.png\">"));
    EXPECT_EQ(RewriteImageSources(QStringLiteral("a<img src=\"C:\\p\\1.gif\">b<img alt='' src='/q/2.gif'>c"), app),
              QStringLiteral("a<img src=\"") + help + QStringLiteral("1.gif\">b<img alt='' src='") + help + QStringLiteral("2.gif'>c"));
}

TEST(RewriteImageSources, WhatCannotBeRewrittenIsReturnedAsItWas)
{
    const QString app = QStringLiteral("/opt/selvara");
    // No source after the picture: the text so far comes back.
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<img alt=x> and more"), app), QStringLiteral("<img alt=x> and more"));
    // A source without its closing quote.
    const QString open = QStringLiteral("<img src=\"a/b.gif width=2>");
    EXPECT_EQ(RewriteImageSources(open, app), open);
    const QString second = QStringLiteral("<img src='a/1.gif'><img src='b/2.gif>");
    EXPECT_EQ(RewriteImageSources(second, app),
              QStringLiteral("<img src='") + app + QDir::separator() + QStringLiteral("help") + QDir::separator()
                  + QStringLiteral("1.gif'><img src='b/2.gif>"));
    // Upper case is a picture too: it must not load from where it says.
    EXPECT_EQ(RewriteImageSources(QStringLiteral("<IMG SRC='/dev/zero'>"), app),
              QStringLiteral("<IMG SRC='") + app + QDir::separator() + QStringLiteral("help") + QDir::separator()
                  + QStringLiteral("zero'>"));
}

TEST(RewriteImageSources, TheRedirectedPictureLoadsInThePage)
{
    QTemporaryDir app;
    QDir(app.path()).mkpath(QStringLiteral("help"));
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QDir(app.path()).filePath(QStringLiteral("help/logo.png"))));
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(RewriteImageSources(QStringLiteral("<p><img src=\"C:\\Program Files\\TARVOD\\logo.png\"></p>"), app.path()));
    b.Flush();
    const QString src = QDir(app.path()).filePath(QStringLiteral("help/logo.png"));
    const QVariant loaded = b.document()->resource(QTextDocument::ImageResource, QUrl(src));
    ASSERT_TRUE(loaded.isValid());
    EXPECT_EQ(loaded.value<QImage>().size(), QSize(7, 5));
}

// A stored text naming a device would be read until memory runs out.
TEST(PageBrowser, ReadsOnlyRegularFilesAndNothingFromTheNetwork)
{
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(QStringLiteral("<p>α<img src=\"/dev/zero\"><IMG SRC='http://example.invalid/x.png'>β</p>"));
    b.Flush();
    EXPECT_EQ(b.toPlainText().remove(QChar::ObjectReplacementCharacter), QStringLiteral("αβ"));
    EXPECT_TRUE(b.document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("/dev/zero"))).toByteArray().isEmpty());
    b.Navigate(QStringLiteral("/dev/zero"));
    EXPECT_TRUE(b.toPlainText().startsWith(QStringLiteral("Η σελίδα δεν βρέθηκε")));
}

// Laying out nested tables takes exponential time, nested tags quadratic.
TEST(LimitNesting, DeepNestsKeepTheirWordsButNotTheirDepth)
{
    const QString plain = QStringLiteral("<p>α <b>β</b> <table><tr><td>γ</td></tr></table></p>");
    EXPECT_EQ(LimitNesting(plain), plain);

    const QString tables = QStringLiteral("<table><tr><td>κελί").repeated(22) + QStringLiteral("</td></tr></table>").repeated(22);
    const QString flat = LimitNesting(tables);
    EXPECT_EQ(flat.count(QStringLiteral("<table")), kMaxTableDepth);
    EXPECT_EQ(flat.count(QStringLiteral("</table>")), kMaxTableDepth);
    EXPECT_EQ(flat.count(QStringLiteral("κελί")), 22);
    PageBrowser b(QStringLiteral("b"));
    b.SetBodyHtml(tables);
    b.Flush();
    int depth = 0;
    for (QTextFrame* f = b.document()->rootFrame(); !f->childFrames().isEmpty(); f = f->childFrames().first())
        ++depth;
    EXPECT_LE(depth, kMaxTableDepth * 2);

    const QString bold = QStringLiteral("<b>").repeated(20000) + QStringLiteral("λέξη") + QStringLiteral("</b>").repeated(20000);
    const QString kept = LimitNesting(bold);
    EXPECT_EQ(kept.count(QStringLiteral("<b>")), kMaxInlineDepth);
    EXPECT_EQ(kept.count(QStringLiteral("</b>")), kMaxInlineDepth);
    EXPECT_TRUE(kept.contains(QStringLiteral("λέξη")));

    const QString pictures = QStringLiteral("<img src='a.gif'>").repeated(kMaxPictures + 100);
    EXPECT_EQ(LimitNesting(pictures).count(QStringLiteral("<img")), kMaxPictures);

    // Read as Qt reads it: a quote inside an unquoted value opens nothing,
    // and a cell outside any table makes one.
    const auto frameDepth = [](const QString& html) {
        PageBrowser page(QStringLiteral("p"));
        page.SetBodyHtml(html);
        page.Flush();
        int deepest = 0;
        std::function<void(QTextFrame*, int)> walk = [&](QTextFrame* f, int d) {
            deepest = std::max(deepest, d);
            for (QTextFrame* child : f->childFrames())
                walk(child, d + 1);
        };
        walk(page.document()->rootFrame(), 0);
        return deepest;
    };
    const QString nest = QStringLiteral("<table><tr><td>κ").repeated(20) + QStringLiteral("</td></tr></table>").repeated(20);
    EXPECT_LE(frameDepth(QStringLiteral("<span title=a'>x</span>") + nest), kMaxTableDepth * 2);
    EXPECT_LE(frameDepth(QStringLiteral("<td>") + nest), kMaxTableDepth * 2);
    EXPECT_EQ(LimitNesting(QStringLiteral("<span title=a'>") + nest).count(QStringLiteral("<table")), kMaxTableDepth);
    EXPECT_EQ(LimitNesting(QStringLiteral("<td>") + nest).count(QStringLiteral("<table")), kMaxTableDepth - 1);

    // Blocks nest only so deep, their words kept.
    const QString divs = QStringLiteral("<div>").repeated(20000) + QStringLiteral("βάθος") + QStringLiteral("</div>").repeated(20000);
    const QString shallow = LimitNesting(divs);
    EXPECT_EQ(shallow.count(QStringLiteral("<div>")), kMaxBlockDepth);
    EXPECT_EQ(shallow.count(QStringLiteral("</div>")), kMaxBlockDepth);
    EXPECT_TRUE(shallow.contains(QStringLiteral("βάθος")));
    const QString lists = QStringLiteral("<ul><li>σ").repeated(5000) + QStringLiteral("</li></ul>").repeated(5000);
    EXPECT_LE(LimitNesting(lists).count(QStringLiteral("<ul>")), kMaxBlockDepth);
    EXPECT_EQ(LimitNesting(lists).count(QStringLiteral("σ")), 5000);
}

TEST(PageBrowser, LinksLeadOnlyToHelpPagesOrTheUsersOwnBrowser)
{
    QTemporaryDir app;
    QDir(app.path()).mkpath(QStringLiteral("help"));
    const QString help = QDir(app.path()).filePath(QStringLiteral("help/page.html"));
    QFile f(help);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<p>βοήθεια</p>");
    f.close();
    QList<QUrl> opened;
    PageBrowser b(QStringLiteral("b"));
    b.setLinkPolicy({QDir(app.path()).filePath(QStringLiteral("help"))}, [&](const QUrl& u) { opened << u; });
    b.SetBodyHtml(QStringLiteral("<p>αρχή</p>"));
    b.Flush();

    emit b.anchorClicked(QUrl(QStringLiteral("https://example.org/νόμος")));
    emit b.anchorClicked(QUrl::fromLocalFile(QStringLiteral("/etc/passwd")));
    emit b.anchorClicked(QUrl::fromLocalFile(QDir(app.path()).filePath(QStringLiteral("help/../../x"))));
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QStringLiteral("https://example.org/νόμος"))});
    EXPECT_EQ(b.LocationURL(), PageBrowser::kBlank);
    EXPECT_TRUE(b.toPlainText().contains(QStringLiteral("αρχή")));

    emit b.anchorClicked(QUrl::fromLocalFile(help));
    EXPECT_TRUE(b.toPlainText().contains(QStringLiteral("βοήθεια")));
}
