#pragma once

#include <QList>
#include <QSet>
#include <QString>

class Database;
class QTreeWidgetItem;
class TreeView;

// The statements of a tree whose rows name their parent (topics, schedule entries).
struct HierarchyQueries {
    QString (*roots)();
    QString (*children)(qint32 parentId);
    QString (*childCount)(qint32 parentId);
    const char16_t* idColumn;
};

const HierarchyQueries& TopicHierarchy();
const HierarchyQueries& ScheduleHierarchy();

// What a search hands the fill: the ids it matched (drawn in the found style)
// and the ids to open (the hits' ancestors), with the Part's bounds: the
// number of found ids and the index of the last id to open.
struct SearchMarks {
    QList<qint32> found;
    int foundCount = 0;
    bool expandTopLevel = false;
    QList<qint32> expand;
    int expandLast = -1;
};

// The marks as sets, for a look-up per node instead of a walk of the lists.
struct MarkSets {
    explicit MarkSets(const SearchMarks& marks);
    QSet<qint32> found;
    QSet<qint32> expand;
};

// The first `count` ids of the list, as a set.
QSet<qint32> FirstIds(const QList<qint32>& ids, int count);

// Fills the whole tree from the top-level rows down: in full mode plainly,
// otherwise marking and opening as the marks say. Only adds nodes; an error
// ends the fill and the nodes added so far stay.
void FillHierarchy(Database& db, TreeView& tree, const HierarchyQueries& queries,
                   const SearchMarks& marks, bool fullMode);

// The same tree, read as it is seen: the top level and each top-level node's
// children now, with every opened branch (a search's hits) whole; the rest of
// each node's children when the node is opened or the tree asks for them
// (TreeView::SetPending). Once all is read, the tree is the one FillHierarchy
// builds. An error in what is read now passes on and ends the pending fills.
void FillHierarchyLazily(Database& db, TreeView& tree, const HierarchyQueries& queries,
                         const SearchMarks& marks, bool fullMode);

// The children of parentId and, depth first, theirs. ancestors holds the ids on
// the way down, so that rows whose parents loop back are not followed again.
void AddHierarchyChildren(Database& db, TreeView& tree, const HierarchyQueries& queries, qint32 parentId,
                          const SearchMarks& marks, bool fullMode, QSet<qint32>& ancestors);

// Draws the node in the found style when id is among ids[0 .. count - 1].
void MarkFoundNode(QTreeWidgetItem* node, qint32 id, const QList<qint32>& ids, int count);

