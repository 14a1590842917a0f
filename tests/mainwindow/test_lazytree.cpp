// Trees read as they are seen: once every node is read, each is the tree a
// whole fill builds; a title search and a closing window do not wait on it.
#include "data/Database.h"
#include "data/SqlTools.h"
#include "mainwindow/Controls.h"
#include "mainwindow/FrmInitial.h"
#include "mainwindow/HierarchyFill.h"
#include "mainwindow/LawTreeFill.h"
#include "support/TestApp.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

// Every node in tree order, walked without asking the tree to read more.
QStringList Shape(const TreeView& tree)
{
    QStringList lines;
    auto walk = [&](const QTreeWidgetItem* node, int depth, auto& self) -> void {
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(depth)
                     .arg(TreeView::Key(node), node->text(0), TreeView::Image(node))
                     .arg(TreeView::HasFoundStyle(node))
                     .arg(node->isExpanded())
                     .arg(node->data(0, Qt::ToolTipRole).toString());
        for (int i = 0; i < node->childCount(); ++i)
            self(node->child(i), depth + 1, self);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        walk(tree.topLevelItem(i), 0, walk);
    return lines;
}

// A generated database: branches of uneven depth and equal sort keys, law
// numbers shared by several rows with and without a consolidated text, a
// hidden type and a type without laws.
const char* kGenerated =
    "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 700)"
    " INSERT INTO topic (topic_id, topic_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3)"
    " SELECT i, CASE WHEN i <= 12 THEN 0 ELSE (i * 7919) % (i - 1) + 1 END, 'θέμα ' || (i % 97), i % 3, i % 5, i FROM c;"
    "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 300)"
    " INSERT INTO schedule (schedule_id, schedule_id_parent, descr, order_flag_lev1, order_flag_lev2, order_flag_lev3)"
    " SELECT i, CASE WHEN i <= 8 THEN 0 ELSE (i * 31) % (i - 1) + 1 END, 'υπόδειγμα ' || i, i % 2, 0, i FROM c;"
    "INSERT INTO LAWTYPE (type_id, descr, display_flag, LAWTYPE_SHOW, LAWTYPE_ORDERNO) VALUES"
    " (1, 'Νόμοι', 1, -1, 2), (2, 'Διατάγματα', 1, -1, 1), (3, 'Εγκύκλιοι', 1, -1, 3), (4, 'Κρυφός', 1, 0, 4), (5, 'Κενός', 1, -1, 5);"
    "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 1500)"
    " INSERT INTO law (law_id, law_code, type_id, title, all_law_flag, issue_date, law_year)"
    " SELECT i, (i % 400) || '/20' || (i % 9), 1 + i % 4, '<b>Τίτλος</b> ' || i, CASE WHEN i % 23 = 0 THEN 1 ELSE 0 END,"
    " '20' || (10 + i % 9) || '-01-01', 2010 + i % 9 FROM c;";

class LazyTree : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        path = dir.filePath(QStringLiteral("edudataD.mdb"));
        if (GetParam())
            TestDatabase::Create(path, QString::fromUtf8(kGenerated));
        else
            ASSERT_TRUE(QFile::copy(QStringLiteral(SELVARA_APP_DIR "/edudataD.mdb"), path));
        db.open(path, true);
        images.add(QStringLiteral("open"), QIcon());
        images.add(QStringLiteral("closed"), QIcon());
    }

    // The same fill whole and lazily, the lazy tree then read to the end.
    void compare(const std::function<void(TreeView&)>& whole, const std::function<void(TreeView&)>& lazy)
    {
        TreeView a(QStringLiteral("whole")), b(QStringLiteral("lazy"));
        a.setImageList(&images);
        b.setImageList(&images);
        whole(a);
        lazy(b);
        const QStringList wanted = Shape(a);
        ASSERT_FALSE(wanted.isEmpty());
        b.FillAll();
        EXPECT_FALSE(b.HasPending());
        EXPECT_EQ(Shape(b), wanted);
    }

    QTemporaryDir dir;
    QString path;
    Database db{QStringLiteral("lazy")};
    ImageList images{QStringLiteral("imListTree")};
    SqlTools tools;
};

} // namespace

TEST_P(LazyTree, ReadToTheEndItIsTheTreeAWholeFillBuilds)
{
    for (const HierarchyQueries* q : {&TopicHierarchy(), &ScheduleHierarchy()}) {
        compare([&](TreeView& t) { FillHierarchy(db, t, *q, {}, true); },
                [&](TreeView& t) { FillHierarchyLazily(db, t, *q, {}, true); });
        // A search's marks: hits at every depth, their ancestors to open.
        const SearchMarks marks{{3, 40, 77, 150, 299}, 5, true, {1, 2, 3, 13, 14, 40}, 5};
        compare([&](TreeView& t) { FillHierarchy(db, t, *q, marks, false); },
                [&](TreeView& t) { FillHierarchyLazily(db, t, *q, marks, false); });
    }
    compare([&](TreeView& t) { AddLawTypeLevel(db, tools, t, {}, 0, {}, 0, true); },
            [&](TreeView& t) { AddLawTypeLevelLazily(db, tools, t, {}, 0, {}, 0, true); });
    const QList<qint32> laws{1, 2, 46, 600, 1499}, types{2, 3};
    compare([&](TreeView& t) { AddLawTypeLevel(db, tools, t, laws, 5, types, 2, false); },
            [&](TreeView& t) { AddLawTypeLevelLazily(db, tools, t, laws, 5, types, 2, false); });
}

TEST_P(LazyTree, WhatShowsIsWholeBeforeTheRestIsRead)
{
    TreeView whole(QStringLiteral("whole")), lazy(QStringLiteral("lazy"));
    for (TreeView* t : {&whole, &lazy})
        t->setImageList(&images);
    FillHierarchy(db, whole, TopicHierarchy(), {}, true);
    FillHierarchyLazily(db, lazy, TopicHierarchy(), {}, true);
    ASSERT_EQ(lazy.topLevelItemCount(), whole.topLevelItemCount());
    // The top level: pictures, and an expander exactly where there are children.
    for (int i = 0; i < lazy.topLevelItemCount(); ++i) {
        EXPECT_EQ(TreeView::Image(lazy.topLevelItem(i)), TreeView::Image(whole.topLevelItem(i)));
        EXPECT_EQ(lazy.topLevelItem(i)->childCount() > 0, whole.topLevelItem(i)->childCount() > 0);
    }
    // Opening a branch reads the children of the nodes it shows.
    QTreeWidgetItem* first = lazy.topLevelItem(0);
    lazy.expandItem(first);
    const QTreeWidgetItem* same = whole.topLevelItem(0);
    for (int i = 0; i < first->childCount(); ++i)
        EXPECT_EQ(first->child(i)->childCount(), same->child(i)->childCount()) << i;
}

INSTANTIATE_TEST_SUITE_P(SampleAndGenerated, LazyTree, ::testing::Values(false, true));

TEST(LazyTreeWindow, ATitleSearchMarksWhatItWouldOnAWholeTree)
{
    TestApp app(QString::fromUtf8(kGenerated) + QStringLiteral("INSERT INTO system_law_parameters VALUES (0);"));
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    ASSERT_TRUE(w.tvwTree->HasPending());
    w.txtsearch[0]->setText(QStringLiteral("θεμα 4"));
    w.cmdsearch_Click(0);
    const QStringList unread = Shape(*w.tvwTree);

    w.tvwTree->Clear();
    w.AddTopicRootNodes({}, 0, false, {}, 0, true);
    w.tvwTree->FillAll();
    w.cmdsearch_Click(0);
    EXPECT_EQ(Shape(*w.tvwTree), unread);
    EXPECT_GT(w.tvwTree->FoundCount(), 0);
}

TEST(LazyTreeWindow, ClosedWhileTheTreesAreReadItEndsAtOnce)
{
    TestApp app(QString::fromUtf8(kGenerated) + QStringLiteral("INSERT INTO system_law_parameters VALUES (0);"));
    ASSERT_TRUE(app.started);
    FrmInitial& w = app.window();
    // The law tab's tree waits for idle time; a step reads some of it.
    EXPECT_TRUE(w.tvwTreelaw->HasPending());
    w.fillTreesStep();
    w.close();
    for (TreeView* tree : {w.tvwTree, w.tvwTreelaw, w.tvwTreeschedule[0], w.tvwTreeschedule[1]})
        EXPECT_FALSE(tree->HasPending());
    // Nothing of the fill is left to run after the window.
    w.fillTreesStep();
}
