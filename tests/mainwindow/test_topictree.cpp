// Filling the topic tree, in full mode and in search mode.
#include "data/Database.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/HierarchyFill.h"
#include "startup/AppError.h"
#include "support/QtPrinters.h"
#include "support/TestApp.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

class TopicTree : public ::testing::Test {
protected:
    void load(const QString& topics)
    {
        const QString path = dir.filePath(QStringLiteral("t.mdb"));
        TestDatabase::Create(path, QStringLiteral("INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3) VALUES ") + topics + u';');
        db.open(path, false);
        images.add(QStringLiteral("open"), QIcon());
        images.add(QStringLiteral("closed"), QIcon());
        tree.setImageList(&images);
    }

    void fill(const SearchMarks& marks = {}, bool fullMode = true)
    {
        FillHierarchy(db, tree, TopicHierarchy(), marks, fullMode);
    }

    QStringList childKeys(const QString& parentKey) const
    {
        QStringList keys;
        if (parentKey.isEmpty()) {
            for (int i = 0; i < tree.topLevelItemCount(); ++i)
                keys << TreeView::Key(tree.topLevelItem(i));
        } else {
            const QTreeWidgetItem* parent = tree.Node(parentKey);
            for (int i = 0; parent && i < parent->childCount(); ++i)
                keys << TreeView::Key(parent->child(i));
        }
        return keys;
    }

    QString image(const char* key) const { return TreeView::Image(tree.Node(QString::fromLatin1(key))); }
    bool expanded(const char* key) const { return tree.Node(QString::fromLatin1(key))->isExpanded(); }
    bool found(const char* key) const { return TreeView::HasFoundStyle(tree.Node(QString::fromLatin1(key))); }

    QTemporaryDir dir;
    Database db{QStringLiteral("topic-tree")};
    ImageList images{QStringLiteral("imListTree")};
    TreeView tree{QStringLiteral("tvwTree")};
};

const char* kTopics =
    "(1, 0, 'Μαθητές', 2, 0, 0),"
    "(4, 0, 'Δομή', 1, 0, 0),"
    "(17, 1, 'Εγγραφές', 1, 2, 0),"
    "(3, 1, 'Απουσίες', 1, 1, 5),"
    "(6, 1, 'Μεταγραφές', 1, 1, 1),"
    "(7, 3, 'Δικαιολογημένες', 0, 0, 0),"
    "(8, 7, 'Ιατρικές', 0, 0, 0),"
    "(9, 99, 'Ορφανό', 0, 0, 0)";

} // namespace

TEST_F(TopicTree, FullModeOrderKeysAndPictures)
{
    load(QString::fromUtf8(kTopics));
    fill();
    EXPECT_EQ(childKeys(QString()), (QStringList{"l4", "l1"}));
    EXPECT_EQ(childKeys(QStringLiteral("l1")), (QStringList{"l6", "l3", "l17"}));
    EXPECT_EQ(tree.Node(QStringLiteral("l17"))->text(0), QStringLiteral("Εγγραφές"));
    EXPECT_EQ(tree.Node(QStringLiteral("l17"))->parent(), tree.Node(QStringLiteral("l1")));
    EXPECT_EQ(image("l1"), QStringLiteral("closed"));
    EXPECT_EQ(image("l3"), QStringLiteral("closed"));
    EXPECT_EQ(image("l4"), QStringLiteral("open"));
    EXPECT_EQ(image("l8"), QStringLiteral("open"));
    for (const char* key : {"l1", "l3", "l7"})
        EXPECT_FALSE(expanded(key)) << key;
    // A parent that names no row keeps its child out of the tree.
    EXPECT_EQ(tree.Node(QStringLiteral("l9")), nullptr);
    EXPECT_EQ(tree.Count(), 7);
}

TEST_F(TopicTree, AnEmptyTableGivesAnEmptyTree)
{
    const QString path = dir.filePath(QStringLiteral("e.mdb"));
    TestDatabase::Create(path);
    db.open(path, false);
    fill();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

TEST_F(TopicTree, SearchModeMarksHitsAndOpensTheirAncestors)
{
    load(QString::fromUtf8(kTopics));
    // A hit two levels down (8): its ancestors 7, 3 and 1 open.
    SearchMarks marks{{8, 4}, 2, true, {7, 3, 1}, 2};
    fill(marks, false);
    EXPECT_TRUE(found("l8"));
    EXPECT_TRUE(found("l4"));
    EXPECT_FALSE(found("l7"));
    for (const char* key : {"l1", "l3", "l7"}) {
        EXPECT_TRUE(expanded(key)) << key;
        EXPECT_EQ(image(key), QStringLiteral("open")) << key;
    }
    // Others stay collapsed, pictured by whether they have children.
    EXPECT_FALSE(expanded("l4"));
    EXPECT_EQ(image("l4"), QStringLiteral("open"));
    EXPECT_EQ(image("l6"), QStringLiteral("open"));
    EXPECT_FALSE(expanded("l8"));
}

TEST_F(TopicTree, TopLevelNodesOpenOnlyWithTheExpandFlag)
{
    load(QString::fromUtf8(kTopics));
    fill({{3}, 1, false, {1}, 0}, false);
    EXPECT_FALSE(expanded("l1"));
    EXPECT_EQ(image("l1"), QStringLiteral("closed"));
    EXPECT_TRUE(found("l3"));

    tree.Clear();
    fill({{}, 0, false, {}, -1}, false);
    for (const char* key : {"l1", "l3", "l4", "l7"})
        EXPECT_FALSE(expanded(key)) << key;
    EXPECT_EQ(image("l1"), QStringLiteral("closed"));
}

TEST_F(TopicTree, AClearedTreeTakesItsKeysAgainAndATextChangedLaterIsShown)
{
    load(QString::fromUtf8(kTopics));
    fill();
    const int top = tree.topLevelItemCount();
    tree.Clear();
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_EQ(tree.Node(QStringLiteral("l1")), nullptr);
    // Refilled before the cleared nodes are freed, and after.
    fill();
    EXPECT_EQ(tree.topLevelItemCount(), top);
    QCoreApplication::processEvents();
    QTreeWidgetItem* node = tree.Node(QStringLiteral("l1"));
    ASSERT_NE(node, nullptr);
    QSignalSpy changed(&tree, &QTreeWidget::itemChanged);
    node->setText(0, QStringLiteral("Νέος τίτλος"));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(tree.model()->index(tree.indexOfTopLevelItem(node), 0).data().toString(), QStringLiteral("Νέος τίτλος"));
    node->setToolTip(0, QStringLiteral("Ο πλήρης τίτλος"));
    EXPECT_EQ(changed.count(), 2);
    EXPECT_EQ(tree.model()->index(tree.indexOfTopLevelItem(node), 0).data(Qt::ToolTipRole).toString(),
              QStringLiteral("Ο πλήρης τίτλος"));
    node->setData(0, Qt::DisplayRole, 7);
    EXPECT_EQ(node->text(0), QStringLiteral("7"));
}

TEST(TreeViewKeys, EveryKeyComesBackAsItWasGiven)
{
    TreeView tree(QStringLiteral("keys"));
    // Packed or not, each is a node of its own and keeps its exact text.
    const QStringList keys{QStringLiteral("l0"), QStringLiteral("l7"), QStringLiteral("l007"), QStringLiteral("L7"),
                           QStringLiteral("c999999999"), QStringLiteral("c1000000000"), QStringLiteral("l-5"),
                           QStringLiteral("x"), QStringLiteral("ά1"), QStringLiteral("7l"), QString()};
    for (const QString& key : keys)
        tree.Add(QString(), key, key, QStringLiteral("open"));
    tree.Add(QStringLiteral("l007"), QStringLiteral("p12"), QStringLiteral("child"), QStringLiteral("open"));
    EXPECT_EQ(tree.CountRead(), keys.size() + 1);
    for (const QString& key : keys) {
        QTreeWidgetItem* node = tree.Node(key);
        ASSERT_NE(node, nullptr) << qPrintable(key);
        EXPECT_EQ(TreeView::Key(node), key);
        EXPECT_EQ(node->text(0), key);
    }
    EXPECT_EQ(tree.Node(QStringLiteral("p12"))->parent(), tree.Node(QStringLiteral("l007")));
    EXPECT_THROW(tree.Add(QString(), QStringLiteral("l7"), QString(), QString()), AppError);
    EXPECT_EQ(tree.Node(QStringLiteral("l07")), nullptr);
}

TEST(TreeViewClear, ARefilledTreeStartsAtTheTopWithNothingSelected)
{
    TreeView tree(QStringLiteral("scrolled"));
    tree.resize(240, 120);
    tree.show();
    auto fill = [&tree] {
        for (int i = 0; i < 300; ++i)
            tree.Add(QString(), QStringLiteral("l%1").arg(i), QStringLiteral("Θέμα %1").arg(i), QStringLiteral("open"));
        QCoreApplication::processEvents();
    };
    fill();
    tree.SetSelectedItem(tree.Node(QStringLiteral("l299")));
    tree.scrollToBottom();
    QCoreApplication::processEvents();
    ASSERT_GT(tree.verticalScrollBar()->value(), 0);
    tree.Clear();
    fill();
    EXPECT_EQ(tree.verticalScrollBar()->value(), 0);
    EXPECT_EQ(tree.SelectedItem(), nullptr);
    EXPECT_EQ(tree.currentItem(), nullptr);
}

TEST_F(TopicTree, ATableGoneWhileTheRestIsReadEndsTheIdleFillQuietly)
{
    load(QString::fromUtf8(kTopics));
    FillHierarchyLazily(db, tree, TopicHierarchy(), {}, true);
    ASSERT_TRUE(tree.HasPending());
    const int read = tree.CountRead();
    ASSERT_NE(tree.NodeIfRead(QStringLiteral("l3")), nullptr);
    ASSERT_EQ(tree.NodeIfRead(QStringLiteral("l8")), nullptr);
    // Another program changed the file under the reader.
    db.execute(QStringLiteral("DROP TABLE topic"));
    EXPECT_NO_THROW(EXPECT_FALSE(tree.FillStep(QDeadlineTimer(QDeadlineTimer::Forever))));
    EXPECT_EQ(tree.CountRead(), read);
    EXPECT_EQ(tree.Node(QStringLiteral("l8")), nullptr);
}

TEST_F(TopicTree, IdsAboveSixteenBitsCompareExactly)
{
    load(QStringLiteral("(17, 0, 'Μικρό', 1, 0, 0), (65553, 0, 'Μεγάλο', 2, 0, 0), (40000, 65553, 'Παιδί', 0, 0, 0)"));
    // 65553 is 17 in sixteen bits; only the real 17 is a hit.
    fill({{17, 40000}, 2, true, {65553}, 0}, false);
    EXPECT_TRUE(found("l17"));
    EXPECT_TRUE(found("l40000"));
    EXPECT_FALSE(found("l65553"));
    EXPECT_TRUE(expanded("l65553"));
    EXPECT_FALSE(expanded("l17"));
}

TEST_F(TopicTree, AParentChainThatLoopsEndsTheFill)
{
    // Topic 0 lists itself among its own children; 21 and 22 name each other.
    load(QStringLiteral("(0, 0, 'Μηδέν', 1, 0, 0), (5, 0, 'Πέντε', 2, 0, 0), (21, 22, 'α', 0, 0, 0), (22, 21, 'β', 0, 0, 0)"));
    try {
        fill();
        FAIL() << "a topic reached twice should end the fill with an error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 35602);
    }
    // What was added before the error stays.
    ASSERT_NE(tree.Node(QStringLiteral("l0")), nullptr);
    EXPECT_EQ(tree.Node(QStringLiteral("l5"))->parent(), tree.Node(QStringLiteral("l0")));
    EXPECT_EQ(tree.Node(QStringLiteral("l21")), nullptr);
}

TEST_F(TopicTree, MarkFoundNodeLooksOnlyAtTheCountedEntries)
{
    load(QStringLiteral("(1, 0, 'α', 0, 0, 0)"));
    fill();
    QTreeWidgetItem* node = tree.Node(QStringLiteral("l1"));
    MarkFoundNode(node, 1, {5, 1}, 1);
    EXPECT_FALSE(TreeView::HasFoundStyle(node));
    MarkFoundNode(node, 1, {5}, 9);
    EXPECT_FALSE(TreeView::HasFoundStyle(node));
    MarkFoundNode(node, 1, {5, 1}, 2);
    EXPECT_TRUE(TreeView::HasFoundStyle(node));
    EXPECT_EQ(node->background(0).color(), QColor(230, 207, 195));
    EXPECT_EQ(node->foreground(0).color(), QColor(0, 0, 128));
}

// The fill walks the tree on a stack of its own: a chain this deep used to
// exhaust the call stack. A row without an id is passed over.
TEST(TopicTreeFill, ADeepChainAndARowWithoutAnId)
{
    TestApp app(QStringLiteral(
        "DROP TABLE topic;"
        "CREATE TABLE topic (topic_id INTEGER, topic_id_parent INTEGER, descr TEXT, order_flag_lev1 INTEGER DEFAULT 0,"
        " order_flag_lev2 INTEGER DEFAULT 0, order_flag_lev3 INTEGER DEFAULT 0);"
        "CREATE INDEX topic_parent ON topic (topic_id_parent);"
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 50000)"
        " INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) SELECT i, i - 1, 'θέμα ' || i, 1 FROM c;"
        "INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1) VALUES (NULL, 0, 'χωρίς κλειδί', 0), (60000, 0, 'τελευταίο', 2);"
        "INSERT INTO system_law_parameters VALUES (1);"));
    ASSERT_TRUE(app.started);
    TreeView& tree = *app.window().tvwTree;
    EXPECT_EQ(tree.Count(), 50001);
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(TreeView::Key(tree.topLevelItem(1)), QStringLiteral("l60000"));
    ASSERT_TRUE(tree.Node(QStringLiteral("l50000")));
    EXPECT_EQ(tree.Node(QStringLiteral("l50000"))->parent(), tree.Node(QStringLiteral("l49999")));

    // '*' opens the branch only as deep as Qt can lay it out.
    tree.resize(400, 300);
    tree.show();
    tree.setCurrentItem(tree.Node(QStringLiteral("l1")));
    QTest::keyClick(&tree, Qt::Key_Asterisk);
    tree.grab();
    EXPECT_TRUE(tree.Node(QStringLiteral("l60"))->isExpanded());
    EXPECT_FALSE(tree.Node(QStringLiteral("l100"))->isExpanded());
}

TEST_F(TopicTree, APictureFollowsTheNodeHoweverItOpensOrCloses)
{
    load(QString::fromUtf8(kTopics));
    fill();
    QTreeWidgetItem* students = tree.Node(QStringLiteral("l1"));
    // The expander, as the arrow keys do.
    tree.expandItem(students);
    EXPECT_EQ(image("l1"), QStringLiteral("open"));
    tree.collapseItem(students);
    EXPECT_EQ(image("l1"), QStringLiteral("closed"));
    // A leaf keeps its open picture.
    tree.collapseItem(tree.Node(QStringLiteral("l4")));
    EXPECT_EQ(image("l4"), QStringLiteral("open"));
}
