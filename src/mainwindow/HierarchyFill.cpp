#include "mainwindow/HierarchyFill.h"

#include "data/Database.h"
#include "mainwindow/Controls.h"
#include "mainwindow/TreeSql.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

const QString kOpen = QStringLiteral("open");
const QString kClosed = QStringLiteral("closed");

QString key(qint32 id)
{
    return QStringLiteral("l") + QString::number(id);
}

qint32 count(Database& db, const QString& sql)
{
    Recordset rs = db.execute(sql);
    return rs.eof() ? 0 : rs.toLong(u"l_count");
}

// A top-level node as both fills add it: marked, and opened or pictured by
// its children as the marks say. Returns whether it is to be opened.
bool addTopNode(Database& db, TreeView& tree, const HierarchyQueries& queries, const MarkSets& sets,
                const SearchMarks& marks, bool fullMode, qint32 id, const QString& descr, QTreeWidgetItem** added)
{
    QTreeWidgetItem* node = tree.Add(QString(), key(id), descr, kOpen);
    *added = node;
    if (fullMode)
        return false;
    if (sets.found.contains(id))
        TreeView::SetFoundStyle(node);
    if (sets.expand.contains(id) && marks.expandTopLevel) {
        tree.SetImage(node, kOpen);
        return true;
    }
    tree.SetImage(node, count(db, queries.childCount(id)) > 0 ? kClosed : kOpen);
    return false;
}

// A node below the top as both fills add it under its parent; returns
// whether it is to be opened.
bool addChildNode(Database& db, TreeView& tree, const HierarchyQueries& queries, const MarkSets& sets, bool fullMode,
                  const QString& parentKey, QTreeWidgetItem* parent, qint32 id, const QString& nodeKey,
                  const QString& descr, QTreeWidgetItem** added)
{
    QTreeWidgetItem* node = tree.Add(parentKey, nodeKey, descr, kOpen);
    *added = node;
    if (fullMode) {
        tree.SetImage(parent, kClosed);
        return false;
    }
    if (sets.found.contains(id))
        TreeView::SetFoundStyle(node);
    if (sets.expand.contains(id)) {
        tree.SetImage(node, kOpen);
        tree.SetImage(parent, kOpen);
        return true;
    }
    tree.SetImage(node, count(db, queries.childCount(id)) > 0 ? kClosed : kOpen);
    return false;
}

} // namespace

const HierarchyQueries& TopicHierarchy()
{
    static const HierarchyQueries q{&TreeSql::TopicRoots, &TreeSql::TopicChildren, &TreeSql::TopicChildCount, u"topic_id"};
    return q;
}

const HierarchyQueries& ScheduleHierarchy()
{
    static const HierarchyQueries q{&TreeSql::ScheduleRoots, &TreeSql::ScheduleChildren, &TreeSql::ScheduleChildCount, u"schedule_id"};
    return q;
}


QSet<qint32> FirstIds(const QList<qint32>& ids, int count)
{
    QSet<qint32> set;
    const qsizetype end = qMin<qsizetype>(qMax(count, 0), ids.size());
    set.reserve(end);
    for (qsizetype i = 0; i < end; ++i)
        set.insert(ids[i]);
    return set;
}

MarkSets::MarkSets(const SearchMarks& marks)
    : found(FirstIds(marks.found, marks.foundCount)), expand(FirstIds(marks.expand, marks.expandLast + 1))
{
}

void MarkFoundNode(QTreeWidgetItem* node, qint32 id, const QList<qint32>& ids, int count)
{
    const qsizetype end = qMin<qsizetype>(qMax(count, 0), ids.size());
    if (std::find(ids.cbegin(), ids.cbegin() + end, id) != ids.cbegin() + end)
        TreeView::SetFoundStyle(node);
}

namespace {

// The top-level rows in order, the statement open while each is taken. A row
// without an id names no node; the rows after it still count.
template <typename Take>
void forEachRoot(Database& db, const HierarchyQueries& queries, Take take)
{
    Recordset rs = db.execute(queries.roots());
    for (; !rs.eof(); rs.moveNext())
        if (!rs.isNull(queries.idColumn))
            take(rs.toLong(queries.idColumn), rs.text(u"descr"));
}

} // namespace

void FillHierarchy(Database& db, TreeView& tree, const HierarchyQueries& queries,
                   const SearchMarks& marks, bool fullMode)
{
    TreeView::Fill fill(tree);
    const MarkSets sets(marks);
    forEachRoot(db, queries, [&](qint32 id, const QString& descr) {
        QTreeWidgetItem* node = nullptr;
        const bool expand = addTopNode(db, tree, queries, sets, marks, fullMode, id, descr, &node);
        QSet<qint32> ancestors{id};
        AddHierarchyChildren(db, tree, queries, id, marks, fullMode, ancestors);
        if (expand)
            tree.SetExpanded(node, true);
    });
}

namespace {

// One level of the walk down the tree: the children of one node, read
// whole so that no statement stays open while the levels below are read.
struct Level {
    qint32 ownerId = 0;
    QTreeWidgetItem* owner = nullptr;  // null for the level the walk starts from
    bool expandOwner = false;
    QString parentKey;
    std::vector<std::pair<qint32, QString>> rows;
    size_t next = 0;
};

std::optional<Level> ReadLevel(Database& db, TreeView& tree, const HierarchyQueries& queries, qint32 parentId)
{
    Recordset rs = db.execute(queries.children(parentId));
    if (count(db, queries.childCount(parentId)) <= 0)
        return std::nullopt;
    Level level;
    level.parentKey = key(parentId);
    level.owner = tree.Node(level.parentKey);
    while (!rs.eof()) {
        if (!rs.isNull(queries.idColumn))
            level.rows.emplace_back(rs.toLong(queries.idColumn), rs.text(u"descr"));
        rs.moveNext();
    }
    return level;
}

} // namespace

// Depth first, as a recursion would go, but on a stack of its own: a chain
// of many thousands of levels must not exhaust the call stack.
void AddHierarchyChildren(Database& db, TreeView& tree, const HierarchyQueries& queries, qint32 parentId,
                          const SearchMarks& marks, bool fullMode, QSet<qint32>& ancestors)
{
    TreeView::Fill fill(tree);
    const MarkSets sets(fullMode ? SearchMarks() : marks);
    std::vector<Level> stack;
    if (std::optional<Level> first = ReadLevel(db, tree, queries, parentId)) {
        first->owner = nullptr;
        stack.push_back(std::move(*first));
    }
    while (!stack.empty()) {
        Level& level = stack.back();
        if (level.next == level.rows.size()) {
            QTreeWidgetItem* owner = level.owner;
            const bool expand = level.expandOwner;
            const qint32 ownerId = level.ownerId;
            stack.pop_back();
            if (owner) {
                ancestors.remove(ownerId);
                if (expand)
                    tree.SetExpanded(owner, true);
            }
            continue;
        }
        const auto [id, descr] = level.rows[level.next++];
        if (ancestors.contains(id))
            continue;
        QTreeWidgetItem* node = nullptr;
        const bool expand = addChildNode(db, tree, queries, sets, fullMode, level.parentKey, tree.Node(level.parentKey), id,
                                         key(id), descr, &node);
        ancestors.insert(id);
        std::optional<Level> below = ReadLevel(db, tree, queries, id);
        if (below) {
            below->owner = node;
            below->ownerId = id;
            below->expandOwner = expand;
            stack.push_back(std::move(*below));
        } else {
            ancestors.remove(id);
            if (expand)
                tree.SetExpanded(node, true);
        }
    }
}

namespace {

// What every pending node of one lazy fill shares.
struct LazyFill {
    LazyFill(Database& d, TreeView& t, const HierarchyQueries& q, const SearchMarks& m, bool full)
        : db(d), tree(t), queries(q), sets(full ? SearchMarks() : m), fullMode(full)
    {
    }
    Database& db;
    TreeView& tree;
    const HierarchyQueries& queries;
    const MarkSets sets;
    const bool fullMode;
};

void readChildren(const std::shared_ptr<LazyFill>& fill, QTreeWidgetItem* owner, qint32 parentId);

TreeView::Work pendingChildren(const std::shared_ptr<LazyFill>& fill, qint32 id)
{
    return [fill, id](QTreeWidgetItem* node, const TreeView::Budget&) {
        readChildren(fill, node, id);
        return true;
    };
}

// One level, as AddHierarchyChildren reads it for one node, its nodes left
// pending. Rows on the way down from the top are not followed again.
void readChildren(const std::shared_ptr<LazyFill>& fill, QTreeWidgetItem* owner, qint32 parentId)
{
    TreeView& tree = fill->tree;
    std::optional<Level> level = ReadLevel(fill->db, tree, fill->queries, parentId);
    if (!level)
        return;
    for (const auto& [id, descr] : level->rows) {
        // A row already in the tree is skipped when it lies on the way down
        // to here (its parents loop back); elsewhere, adding it fails as a
        // whole fill fails. Only such rows cost a walk up the tree.
        const QString nodeKey = key(id);
        if (const QTreeWidgetItem* there = tree.NodeIfRead(nodeKey)) {
            bool onPath = false;
            for (const QTreeWidgetItem* up = owner; up && !onPath; up = up->parent())
                onPath = up == there;
            if (onPath)
                continue;
        }
        QTreeWidgetItem* node = nullptr;
        const bool expand = addChildNode(fill->db, tree, fill->queries, fill->sets, fill->fullMode, level->parentKey, owner, id,
                                         nodeKey, descr, &node);
        tree.SetPending(node, pendingChildren(fill, id));
        if (expand)
            tree.SetExpanded(node, true);
    }
}

} // namespace

void FillHierarchyLazily(Database& db, TreeView& tree, const HierarchyQueries& queries,
                         const SearchMarks& marks, bool fullMode)
{
    TreeView::Fill scope(tree);
    const auto fill = std::make_shared<LazyFill>(db, tree, queries, marks, fullMode);
    std::vector<QTreeWidgetItem*> top;
    forEachRoot(db, queries, [&](qint32 id, const QString& descr) {
        QTreeWidgetItem* node = nullptr;
        const bool expand = addTopNode(db, tree, queries, fill->sets, marks, fullMode, id, descr, &node);
        tree.SetPending(node, pendingChildren(fill, id));
        if (expand)
            tree.SetExpanded(node, true);
        top.push_back(node);
    });
    // The top level shows its pictures and expanders as a whole tree would.
    for (QTreeWidgetItem* node : top)
        tree.FillNode(node);
    tree.FillOpened();
}
