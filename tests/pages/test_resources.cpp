// What a page may read: bounded regular files, never the system's endless ones.
#include "mainwindow/Controls.h"
#include "pages/PageBrowser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTextDocument>

TEST(PageResources, EveryRouteReadsOnlyBoundedRegularFiles)
{
    QTemporaryDir dir;
    const QString picture = dir.filePath(QStringLiteral("mark.png"));
    QImage mark(3, 2, QImage::Format_RGB32);
    mark.fill(Qt::red);
    ASSERT_TRUE(mark.save(picture));
    ASSERT_TRUE(PageBrowser::ReadLocalFile(picture));
    // Endless files, by their names or behind a link.
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/pagemap"), dir.filePath(QStringLiteral("pagemap.png"))));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), dir.filePath(QStringLiteral("zero.png"))));
    for (const QString& path : {QStringLiteral("/proc/self/pagemap"), QStringLiteral("/dev/zero"),
                                QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled"),
                                dir.filePath(QStringLiteral("pagemap.png")), dir.filePath(QStringLiteral("zero.png")), dir.path()})
        EXPECT_FALSE(PageBrowser::ReadLocalFile(path)) << path.toStdString();

    // Pictures, table backgrounds and style pictures all ask the page, which
    // answers the endless ones with nothing.
    PageBrowser page(QStringLiteral("brwTest"));
    page.setSearchPaths({dir.path()});
    page.SetBodyHtml(QStringLiteral(
        "<p><img src = \"/proc/self/pagemap\"> <img src=\"mark.png\"></p>"
        "<table background=\"/dev/zero\"><tr><td style=\"background-image: url(/proc/self/pagemap)\">x</td></tr></table>"
        "<p><img src=\"zero.png\"></p>"));
    page.Flush();
    const QVariant ok = page.document()->resource(QTextDocument::ImageResource, QUrl(QStringLiteral("mark.png")));
    EXPECT_EQ(ok.value<QImage>().size(), QSize(3, 2));
    for (const char* endless : {"/proc/self/pagemap", "/dev/zero", "zero.png"})
        EXPECT_TRUE(page.document()->resource(QTextDocument::ImageResource, QUrl(QString::fromLatin1(endless)))
                        .value<QImage>()
                        .isNull());
}

TEST(PageResources, ATreeShowsALineOfAHugeTitle)
{
    TreeView tree(QStringLiteral("tvwTest"));
    QTreeWidgetItem* node = tree.Add(QString(), QStringLiteral("l1"), QString(10'000'000, u'α'), QString());
    EXPECT_EQ(node->text(0).size(), TreeView::kMaxNodeText + 1);
    EXPECT_TRUE(node->text(0).endsWith(u'…'));
}

TEST(PageResources, AGiantPageIsCutWithANote)
{
    const QString small = QStringLiteral("<p>άρθρο</p>");
    EXPECT_EQ(PageBrowser::BoundedPage(small), small);
    const QString giant = QStringLiteral("<p>κείμενο νόμου</p>").repeated(1'000'000);
    const QString cut = PageBrowser::BoundedPage(giant);
    EXPECT_LE(cut.size(), PageBrowser::kMaxPageChars + 200);
    EXPECT_TRUE(cut.contains(QStringLiteral("</p><p><i>[Το κείμενο είναι πολύ μεγάλο")));
}
