#include "mainwindow/Search.h"

#include "data/Database.h"
#include "data/TextFolding.h"
#include "mainwindow/Controls.h"

#include <QSet>

SearchMarks CollectHierarchyHits(Database& db, const QString& query, QStringView idColumn, QStringView parentColumn,
                                 QString (*ancestorStep)(qint32 parentId))
{
    SearchMarks marks;
    QSet<qint32> known;
    Recordset rs = db.openRecordset(query, CursorType::Keyset);
    while (!rs.eof()) {
        qint32 p = rs.toLong(parentColumn);
        const qint32 id = rs.toLong(idColumn);
        marks.found.append(id);
        // The walk ends at the top, at a parent that names no row, and at a
        // parent already met on this walk (rows whose parents loop).
        QSet<qint32> walked{id};
        while (p != 0 && !walked.contains(p)) {
            walked.insert(p);
            if (!known.contains(p)) {
                known.insert(p);
                marks.expand.append(p);
            }
            marks.expandTopLevel = true;
            Recordset step = db.openRecordset(ancestorStep(p), CursorType::Keyset);
            if (step.eof())
                break;
            p = step.toLong(parentColumn);
        }
        rs.moveNext();
    }
    rs.close();
    marks.foundCount = static_cast<int>(marks.found.size());
    marks.expandLast = static_cast<int>(marks.expand.size()) - 1;
    return marks;
}

LawHits CollectLawHits(Database& db, const QString& query)
{
    LawHits hits;
    Recordset rs = db.openRecordset(query, CursorType::Keyset);
    while (!rs.eof()) {
        const qint32 type = rs.toLong(u"TYPE_ID");
        hits.laws.append(rs.toLong(u"LAW_ID"));
        if (!hits.types.contains(type))
            hits.types.append(type);
        rs.moveNext();
    }
    return hits;
}

void MergeLawHits(LawHits& hits, const LawHits& more)
{
    for (qsizetype i = 0; i < more.laws.size(); ++i)
        if (!hits.laws.contains(more.laws[i]))
            hits.laws.append(more.laws[i]);
    for (qint32 type : more.types)
        if (!hits.types.contains(type))
            hits.types.append(type);
}

void MarkMatchingTitles(TreeView& tree, const QString& text)
{
    // The walk sees every node: what the tree has not read yet is read first.
    tree.FillAll();
    const QString s = FoldSearchText(text);
    QList<QTreeWidgetItem*> toOpen;
    auto visit = [&](QTreeWidgetItem* node, int level, auto& self) -> void {
        if (!s.isEmpty() && FoldSearchText(node->text(0)).contains(s)) {
            TreeView::SetFoundStyle(node);
            if (level == 1)
                toOpen.append(node);
            for (QTreeWidgetItem* a = node->parent(); a; a = a->parent())
                toOpen.append(a);
        } else {
            TreeView::SetNormalStyle(node);
        }
        if (level < 4)
            for (int i = 0; i < node->childCount(); ++i)
                self(node->child(i), level + 1, self);
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        visit(tree.topLevelItem(i), 1, visit);
    tree.collapseAll();
    for (QTreeWidgetItem* node : toOpen)
        node->setExpanded(true);
}
