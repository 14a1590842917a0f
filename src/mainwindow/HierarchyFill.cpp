#include "mainwindow/HierarchyFill.h"

#include "data/Database.h"
#include "mainwindow/Controls.h"
#include "mainwindow/TreeSql.h"

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

// Repainting once at the end instead of once a node.
class UpdatesPaused {
public:
    explicit UpdatesPaused(TreeView& tree) : m_tree(tree), m_was(tree.updatesEnabled()) { tree.setUpdatesEnabled(false); }
    ~UpdatesPaused() { m_tree.setUpdatesEnabled(m_was); }

private:
    TreeView& m_tree;
    bool m_was;
};

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

bool ListHolds(const QList<qint32>& ids, int last, qint32 id)
{
    const qsizetype end = qMin<qsizetype>(last + 1, ids.size());
    for (qsizetype i = 0; i < end; ++i)
        if (ids[i] == id)
            return true;
    return false;
}

void MarkFoundNode(QTreeWidgetItem* node, qint32 id, const QList<qint32>& ids, int count)
{
    if (ListHolds(ids, count - 1, id))
        TreeView::SetFoundStyle(node);
}

void FillHierarchy(Database& db, TreeView& tree, const HierarchyQueries& queries,
                   const SearchMarks& marks, bool fullMode)
{
    UpdatesPaused paused(tree);
    Recordset rs = db.execute(queries.roots());
    while (!rs.eof()) {
        const qint32 id = rs.toLong(queries.idColumn);
        QTreeWidgetItem* node = tree.Add(QString(), key(id), rs.text(u"descr"), kOpen);
        bool expand = false;
        if (!fullMode) {
            MarkFoundNode(node, id, marks.found, marks.foundCount);
            if (ListHolds(marks.expand, marks.expandLast, id) && marks.expandTopLevel) {
                expand = true;
                tree.SetImage(node, kOpen);
            } else {
                tree.SetImage(node, count(db, queries.childCount(id)) > 0 ? kClosed : kOpen);
            }
        }
        QSet<qint32> ancestors{id};
        AddHierarchyChildren(db, tree, queries, id, marks, fullMode, ancestors);
        if (expand)
            node->setExpanded(true);
        rs.moveNext();
    }
    rs.close();
}

void AddHierarchyChildren(Database& db, TreeView& tree, const HierarchyQueries& queries, qint32 parentId,
                          const SearchMarks& marks, bool fullMode, QSet<qint32>& ancestors)
{
    Recordset rs = db.execute(queries.children(parentId));
    if (count(db, queries.childCount(parentId)) <= 0) {
        rs.close();
        return;
    }
    const QString parentKey = key(parentId);
    QTreeWidgetItem* parent = tree.Node(parentKey);
    while (!rs.eof()) {
        const qint32 id = rs.toLong(queries.idColumn);
        if (ancestors.contains(id)) {
            rs.moveNext();
            continue;
        }
        QTreeWidgetItem* node = tree.Add(parentKey, key(id), rs.text(u"descr"), kOpen);
        bool expand = false;
        if (fullMode) {
            tree.SetImage(parent, kClosed);
        } else {
            MarkFoundNode(node, id, marks.found, marks.foundCount);
            if (ListHolds(marks.expand, marks.expandLast, id)) {
                expand = true;
                tree.SetImage(node, kOpen);
                tree.SetImage(parent, kOpen);
            } else {
                tree.SetImage(node, count(db, queries.childCount(id)) > 0 ? kClosed : kOpen);
            }
        }
        ancestors.insert(id);
        AddHierarchyChildren(db, tree, queries, id, marks, fullMode, ancestors);
        ancestors.remove(id);
        if (expand)
            node->setExpanded(true);
        rs.moveNext();
    }
    rs.close();
}
