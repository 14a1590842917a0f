// Filling the legislation tree.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "mainwindow/Controls.h"
#include "mainwindow/LawTreeFill.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

const char* kContent = R"SQL(
INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES
  (1, 'Νόμοι', 1, -1, 2), (3, 'Διατάγματα', 1, -1, 1), (4, 'Κρυφός', 1, 0, 0), (6, 'Άλλος', 0, -1, 0),
  (8, 'Κενός', 1, -1, 3), (95, 'Ενενήντα πέντε', 1, -1, 0);
INSERT INTO law (law_id, law_code, type_id, all_law_flag, issue_date, law_year) VALUES
  (10, '100/2000', 1, 0, '2000-05-01', 2000),
  (11, '100/2000', 1, 1, '2000-05-01', 2000),
  (12, '20/2000', 1, 0, '2000-05-01', 1999),
  (13, '30/2000', 1, 0, '2000-05-01', 2000),
  (14, '30/2000', 1, 0, '2001-01-01', 2001),
  (15, 'O''Neil', 3, 0, '1999-01-01', 1999),
  (40000, '40000/1', 3, 1, '1998-01-01', 1998),
  (40, '4/1', 4, 1, NULL, NULL), (60, '6/1', 6, 1, NULL, NULL), (95, '95/1', 95, 1, NULL, NULL);
)SQL";

class LawTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = dir.filePath(QStringLiteral("t.mdb"));
        TestDatabase::Create(path, QString::fromUtf8(kContent));
        db.open(path, false);
        images.add(QStringLiteral("open"), QIcon());
        images.add(QStringLiteral("closed"), QIcon());
        tree.setImageList(&images);
    }

    QStringList keys(const QTreeWidgetItem* parent) const
    {
        QStringList k;
        const int n = parent ? parent->childCount() : tree.topLevelItemCount();
        for (int i = 0; i < n; ++i)
            k << TreeView::Key(parent ? parent->child(i) : tree.topLevelItem(i));
        return k;
    }

    QTreeWidgetItem* node(const char* key) const { return tree.Node(QString::fromLatin1(key)); }

    QTemporaryDir dir;
    Database db{QStringLiteral("law-tree")};
    SqlTools tools;
    ImageList images{QStringLiteral("imListTree")};
    TreeView tree{QStringLiteral("tvwTreelaw")};
};

} // namespace

TEST_F(LawTree, ListedTypesAndTheirLawsNewestFirst)
{
    AddLawTypeLevel(db, tools, tree, {}, 0, {}, 0, true);
    EXPECT_EQ(keys(nullptr), (QStringList{"p3", "p1", "p8"}));
    EXPECT_EQ(node("p1")->text(0), QStringLiteral("Νόμοι"));
    // 10 gives way to the consolidated 11; 13 and 14 share a code without one.
    // Equal dates and years fall back on the code, as text, descending.
    EXPECT_EQ(keys(node("p1")), (QStringList{"c14", "c13", "c11", "c12"}));
    EXPECT_EQ(node("c14")->text(0), QStringLiteral("30/2000"));
    EXPECT_EQ(keys(node("p3")), (QStringList{"c15", "c40000"}));
    EXPECT_EQ(TreeView::Image(node("p1")), QStringLiteral("closed"));
    EXPECT_EQ(TreeView::Image(node("p8")), QStringLiteral("open"));
    EXPECT_EQ(TreeView::Image(node("c14")), QStringLiteral("open"));
    EXPECT_FALSE(node("p1")->isExpanded());
    EXPECT_EQ(node("c40"), nullptr);
    EXPECT_EQ(node("c95"), nullptr);
}

TEST_F(LawTree, SearchModeMarksLawsAndOpensTheirTypes)
{
    AddLawTypeLevel(db, tools, tree, {12, 40000}, 2, {1, 3}, 2, false);
    EXPECT_TRUE(node("p1")->isExpanded());
    EXPECT_TRUE(node("p3")->isExpanded());
    EXPECT_FALSE(node("p8")->isExpanded());
    EXPECT_EQ(TreeView::Image(node("p1")), QStringLiteral("open"));
    EXPECT_EQ(TreeView::Image(node("p8")), QStringLiteral("open"));
    EXPECT_TRUE(TreeView::HasFoundStyle(node("c12")));
    EXPECT_TRUE(TreeView::HasFoundStyle(node("c40000")));
    EXPECT_FALSE(TreeView::HasFoundStyle(node("c13")));

    tree.Clear();
    AddLawTypeLevel(db, tools, tree, {12}, 1, {1}, 1, false);
    EXPECT_FALSE(node("p3")->isExpanded());
    EXPECT_EQ(TreeView::Image(node("p3")), QStringLiteral("closed"));
}
